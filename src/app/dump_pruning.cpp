#include "dump_pruning.h"

#include <algorithm>

std::vector<std::wstring> DumpsToDelete(std::vector<std::wstring> paths, size_t keep) {
    if (paths.size() <= keep) return {};
    std::sort(paths.begin(), paths.end());
    paths.resize(paths.size() - keep);
    return paths;
}
