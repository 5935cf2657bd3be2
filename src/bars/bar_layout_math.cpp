#include "bar_layout_math.h"

namespace wnd_main_toolbar {

namespace {
bool IsLeft(int g) { return (g & kGroupLeft) != 0; }
bool IsRight(int g) { return !IsLeft(g) && (g & kGroupRight) != 0; }
}  // namespace

std::vector<int> PlaceButtonRow(int clientLeft, int clientRight, const std::vector<int>& groups,
                                int buttonWidth) {
    int centre = 0, right = 0;
    for (int g : groups) {
        if (IsLeft(g)) continue;
        if (IsRight(g)) ++right; else ++centre;
    }
    int leftX = 10;
    int centreX = (clientRight - centre * buttonWidth - clientLeft) / 2;
    int rightX = clientRight - right * buttonWidth - 10;
    std::vector<int> xs;
    xs.reserve(groups.size());
    for (int g : groups) {
        int& cursor = IsLeft(g) ? leftX : IsRight(g) ? rightX : centreX;
        xs.push_back(cursor);
        cursor += buttonWidth;
    }
    return xs;
}

}  // namespace wnd_main_toolbar
