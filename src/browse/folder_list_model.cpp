#include "folder_list_model.h"

#include <algorithm>
#include <cwctype>
#include <iterator>

bool EqualsIgnoreCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

int FindName(const std::deque<std::wstring>& names, const std::wstring& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (EqualsIgnoreCase(names[i], name)) return int(i);
    return -1;
}

void SplitPicturePath(const std::wstring& path, std::wstring& folder, std::wstring& name) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) {
        folder.clear();
        name = path;
        return;
    }
    name = path.substr(slash + 1);
    folder = path.substr(0, slash);
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
}

void MergeExplorerOrder(FolderScanResult& result, const std::vector<std::wstring>& explorerNames,
                        const std::wstring& openedName,
                        const std::function<bool(const std::wstring&)>& isPicture) {
    std::deque<std::wstring> ordered;
    for (const std::wstring& n : explorerNames)
        if (!result.subfolders.count(n) && isPicture(n)) ordered.push_back(n);
    const int inExplorer = FindName(ordered, openedName);
    if (inExplorer >= 0) {
        result.names.swap(ordered);
        result.index = inExplorer;
    } else {
        result.index = FindName(result.names, openedName);
    }
}

void CFolderListModel::Start(const std::wstring& folder, const std::wstring& name) {
    m_folder = folder;
    m_names.assign(1, name);
    m_index = 0;
}

bool CFolderListModel::MoveTo(const std::wstring& folder, const std::wstring& name) {
    if (!EqualsIgnoreCase(folder, m_folder)) return false;
    const int at = FindName(m_names, name);
    if (at < 0) return false;
    m_index = at;
    return true;
}

void CFolderListModel::Adopt(FolderScanResult& result) {
    if (result.index < 0 || result.index >= int(result.names.size())) return;
    m_index = result.index;
    m_names.swap(result.names);
    result.names.clear();
}

int CFolderListModel::TargetIndex(int offset, bool loop) const {
    const int count = Count();
    if (count < 2 || m_index < 0) return -1;
    const long target = long(m_index) + offset;
    if (target >= 0 && target < count) return int(target);
    if (!loop) return -1;
    return target < 0 ? count - 1 : 0;
}

bool CFolderListModel::CanMove(int offset, bool loop) const { return TargetIndex(offset, loop) >= 0; }

std::wstring CFolderListModel::PathAt(int index) const { return m_folder + L"\\" + m_names[size_t(index)]; }

std::wstring CFolderListModel::GetNeighbour(int offset, bool loop) const {
    const int target = TargetIndex(offset, loop);
    return target < 0 ? std::wstring() : PathAt(target);
}

std::wstring CFolderListModel::Remove(const std::wstring& name) {
    const int at = FindName(m_names, name);
    if (at >= 0) m_names.erase(m_names.begin() + at);
    if (m_names.empty()) {
        Reset();
        return std::wstring();
    }
    if (m_index < 0) m_index = 0;
    if (m_index > Count() - 1) m_index = Count() - 1;
    return PathAt(m_index);
}

void CFolderListModel::Reset() {
    m_folder.clear();
    m_names.clear();
    m_index = -1;
}

void SortNames(std::vector<std::wstring>& names,
               const std::function<int(const std::wstring&, const std::wstring&)>& compare,
               const std::function<bool()>& stop) {
    // Bottom-up merge sort: merging only ever compares the heads of two runs, so an
    // inconsistent comparison can misorder names but never reads outside the list.
    const size_t n = names.size();
    if (n < 2) return;
    auto before = [&compare](const std::wstring& a, const std::wstring& b) {
        return compare(a, b) < 0;
    };
    std::vector<std::wstring> buffer(n);
    std::vector<std::wstring>* from = &names;
    std::vector<std::wstring>* to = &buffer;
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            if (stop && stop()) return;
            const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            std::merge(std::make_move_iterator(from->begin() + lo),
                       std::make_move_iterator(from->begin() + mid),
                       std::make_move_iterator(from->begin() + mid),
                       std::make_move_iterator(from->begin() + hi), to->begin() + lo, before);
        }
        std::swap(from, to);
    }
    if (from != &names) names.swap(buffer);
}
