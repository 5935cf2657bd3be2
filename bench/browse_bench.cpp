// Time to list and order a large folder: the folder list's whole scan (thread, hand-back and
// all), the scan work alone and, within it, the look for an Explorer window on the folder. Prints
// key=value lines (milliseconds) for bench/run.sh.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "auto_init.h"
#include "bench_timing.h"
#include "browse_instances.h"
#include "current_folder_image.h"
#include "explorer_view_order.h"
#include "folder_scan.h"
#include "system_cache.h"

namespace {
bool ScanThroughFolderList(const std::wstring& path, int& count) {
    CCurrentFolderImage images;
    images.SetFile(nullptr, path);
    const double deadline = NowMs() + 60000;
    while (images.IsScanning() && NowMs() < deadline) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    count = images.Count();
    return !images.IsScanning();
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: browse_bench <folder> <name of a picture in it>\n");
        return 2;
    }
    FCAutoInitializeCOM com;
    const std::wstring folder = argv[1], name = argv[2];
    const int runs = 5;
    int count = 0;
    const double whole =
        BestOf(runs, [&] { return ScanThroughFolderList(folder + L"\\" + name, count); });
    const double direct = BestOf(runs, [&] {
        std::atomic<int32_t> stop{0};
        FolderScanResult result;
        ScanFolder(folder, name, stop, result);
        return true;
    });
    const double explorer = BestOf(runs, [&] {
        std::atomic<int32_t> stop{0};
        std::vector<std::wstring> names;
        ReadExplorerViewOrder(folder, stop, names);
        return true;
    });
    std::printf("pictures=%d\n", count);
    std::printf("folder_scan_ms=%.1f\n", whole);
    std::printf("scan_work_ms=%.1f\n", direct);
    std::printf("explorer_lookup_ms=%.1f\n", explorer);
    DestroySystemCache();
    return 0;
}
