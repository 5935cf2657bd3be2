#include "folder_scan.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "explorer_view_order.h"
#include "image_type.h"
#include "win_handle.h"

namespace {

// More entries than any real folder holds are not listed; memory stays bounded.
const size_t kMaxEntries = size_t(1) << 20;

bool IsPictureName(const std::wstring& name) { return GetImageType(name) != 0; }

void ListFolder(const std::wstring& folder, const std::atomic<int32_t>& stop,
                FolderScanResult& result, std::vector<std::wstring>& pictures) {
    const std::wstring pattern = folder + L"\\*";
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                             FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        if (stop.load()) return;
        const std::wstring name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (result.subfolders.size() < kMaxEntries) result.subfolders.insert(name);
        } else if (pictures.size() < kMaxEntries && IsPictureName(name)) {
            pictures.push_back(name);
        }
    } while (::FindNextFileW(find.get(), &data));
}

}  // namespace

void ScanFolder(const std::wstring& folder, const std::wstring& openedName,
                const std::atomic<int32_t>& stop, FolderScanResult& result) {
    std::vector<std::wstring> pictures;
    ListFolder(folder, stop, result, pictures);
    if (stop.load()) return;
    SortNames(
        pictures,
        [](const std::wstring& a, const std::wstring& b) {
            return ::StrCmpLogicalW(a.c_str(), b.c_str());
        },
        [&stop] { return stop.load() != 0; });
    result.names.assign(std::make_move_iterator(pictures.begin()),
                        std::make_move_iterator(pictures.end()));
    result.index = FindName(result.names, openedName);
    if (stop.load()) return;
    std::vector<std::wstring> explorerNames;
    if (!ReadExplorerViewOrder(folder, stop, explorerNames) || stop.load()) return;
    MergeExplorerOrder(result, explorerNames, openedName, IsPictureName);
}
