#include "preload_plan.h"

const std::vector<int>& NeighbourOffsets(int direction) {
    static const std::vector<int> none = {1, -1, 2, 3};
    static const std::vector<int> forward = {1, 2, 3};
    static const std::vector<int> backward = {-1, -2, -3};
    if (direction == kDirectionForward) return forward;
    if (direction == kDirectionBackward) return backward;
    return none;
}

std::vector<int> PlanWarmUps(int direction, int currentIndex, const std::deque<std::wstring>& names,
                             const std::set<std::wstring>& requested,
                             const std::function<bool(const std::wstring&)>& isWarmable) {
    std::vector<int> plan;
    const long count = long(names.size());
    for (int offset : NeighbourOffsets(direction)) {
        const long i = long(currentIndex) + offset;
        if (i < 0 || i >= count) continue;
        const std::wstring& name = names[size_t(i)];
        if (!isWarmable(name) || requested.count(name)) continue;
        plan.push_back(int(i));
    }
    return plan;
}
