// pelion_probe wait-window <milliseconds>: exits 0 once a visible viewer window is on screen
// and has painted, 1 when none appeared in time.
// pelion_probe close: asks every viewer window to close.
#include <windows.h>

#include <cstdio>
#include <string>

#include "pelion_driver.h"

namespace {

HWND FindViewer() {
    HWND found = nullptr;
    for (HWND h = ::FindWindowW(driver::kMainClass, nullptr); h;
         h = ::FindWindowExW(nullptr, h, driver::kMainClass, nullptr)) {
        if (::IsWindowVisible(h)) found = h;
    }
    return found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"wait-window") {
        const DWORD timeout = argc > 2 ? DWORD(_wtoi(argv[2])) : 20000;
        HWND hwnd = nullptr;
        if (!driver::WaitUntil([&] { return (hwnd = FindViewer()) != nullptr; }, timeout))
            return 1;
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        driver::PumpFor(1000);
        std::printf("window up: %s\n", "ok");
        return 0;
    }
    if (verb == L"close") {
        for (HWND h = ::FindWindowW(driver::kMainClass, nullptr); h;
             h = ::FindWindowExW(nullptr, h, driver::kMainClass, nullptr))
            ::PostMessageW(h, WM_CLOSE, 0, 0);
        return 0;
    }
    std::fprintf(stderr, "usage: pelion_probe wait-window [ms] | close\n");
    return 2;
}
