// Times the viewer as a user sees it, from outside the process: start to the fitted picture on
// screen, one zoom step, one pan step and one page turn. Prints name=value lines.
#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <functional>
#include <string>

#include "bench_timing.h"
#include "pelion_driver.h"

using namespace driver;

namespace {

int CaptionPercent(HWND main) {
    const std::wstring t = WindowTitle(main);
    const size_t pct = t.rfind(L'%');
    const size_t space = t.rfind(L' ', pct);
    if (pct == std::wstring::npos || space == std::wstring::npos) return -1;
    return _wtoi(t.substr(space + 1, pct - space - 1).c_str());
}

uint32_t CentrePixel(HWND view) {
    RECT r;
    ::GetClientRect(view, &r);
    POINT pt = {r.right / 2, r.bottom / 2};
    ::ClientToScreen(view, &pt);
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, pt.x, pt.y);
    ::ReleaseDC(nullptr, screen);
    return c & 0xFFFFFF;
}

// A maximised window shows before its children exist.
HWND ViewOf(HWND main) {
    HWND view = nullptr;
    WaitUntil([&] { return (view = ::GetDlgItem(main, 101)) != nullptr; }, 10000);
    return view;
}

void Settings() {
    ResetDataFolder();
    ::CreateDirectoryW(DataFolder().c_str(), nullptr);
    WriteUtf16File(DataFolder() + L"config.ini",
                   L"[app]\r\nlast_position=MAX\r\nshow_wheel_favorite=0\r\nmouse_wheel_action=1\r\n");
}

// Best of a few runs of a measurement that returns its own milliseconds, or -1 on failure.
double BestMeasured(int runs, const std::function<double()>& measure) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double t = measure();
        if (t < 0) return -1;
        best = std::min(best, t);
    }
    return best;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: view_bench BIG.jpg FOLDER_OF_TEN\n");
        return 2;
    }
    const std::wstring big = argv[1], folder = argv[2];
    const std::wstring exe = DistFolder() + L"PelionView.exe";

    // Process start to the fitted picture on screen.
    const double start = BestMeasured(3, [&]() -> double {
        Settings();
        const double t0 = NowMs();
        Process p = Process::Start(exe, L"\"" + big + L"\"");
        HWND main = p.WaitForWindow(kMainClass, 30000);
        if (!main) return -1;
        HWND view = ViewOf(main);
        const bool ok = WaitUntil([&] {
            return CaptionPercent(main) > 0 && CaptionPercent(main) < 100 &&
                   CentrePixel(view) != 0xFFFFFF;
        }, 30000);
        const double t = NowMs() - t0;
        if (!ok)
            std::fprintf(stderr, "start: caption %d%%, centre %06x\n", CaptionPercent(main),
                         unsigned(CentrePixel(view)));
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        p.WaitExit(10000);
        return ok ? t : -1;
    });

    Settings();
    Process p = Process::Start(exe, L"\"" + big + L"\"");
    HWND main = p.WaitForWindow(kMainClass, 30000);
    if (!main) return 1;
    HWND view = ViewOf(main);
    WaitUntil([&] { return CaptionPercent(main) > 0 && CentrePixel(view) != 0xFFFFFF; }, 30000);
    // At twice the fit ratio once its key frames exist, one zoom step (drawn synchronously).
    RECT r;
    ::GetClientRect(view, &r);
    ::SendMessageW(view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
    PumpFor(4000);
    const double zoom = BestMeasured(3, [&]() -> double {
        const double t0 = NowMs();
        ::SendMessageW(main, WM_COMMAND, 20003, 0);
        const double t = NowMs() - t0;
        ::SendMessageW(main, WM_COMMAND, 20004, 0);
        PumpFor(300);
        return t;
    });
    // At actual size, one pan step (a scroll command, drawn synchronously).
    ::SendMessageW(main, WM_COMMAND, 20002, 0);
    if (CaptionPercent(main) != 100) ::SendMessageW(main, WM_COMMAND, 20002, 0);
    PumpFor(4000);
    const double pan = BestMeasured(5, [&]() -> double {
        const double t0 = NowMs();
        ::SendMessageW(main, WM_COMMAND, 26001, 0);
        const double t = NowMs() - t0;
        ::SendMessageW(main, WM_COMMAND, 26000, 0);
        return t;
    });
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    p.WaitExit(10000);

    // Right key to the next fitted picture in a folder of ten.
    Settings();
    Process q = Process::Start(exe, L"\"" + folder + L"\\p01.jpg\"");
    main = q.WaitForWindow(kMainClass, 30000);
    if (!main) return 1;
    view = ViewOf(main);
    WaitUntil([&] { return WindowTitle(main).find(L"/10") != std::wstring::npos; }, 30000);
    PumpFor(1000);
    const double next = BestMeasured(5, [&]() -> double {
        const std::wstring before = WindowTitle(main).substr(0, 8);
        const double t0 = NowMs();
        PostKey(main, VK_RIGHT);
        const bool ok = WaitUntil([&] {
            return WindowTitle(main).substr(0, 8) != before && CentrePixel(view) != 0xFFFFFF;
        }, 30000);
        const double t = NowMs() - t0;
        PumpFor(1500);
        return ok ? t : -1;
    });
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    q.WaitExit(10000);
    KillProcessesNamed(L"PelionTray.exe");

    std::printf("start_to_fitted_ms=%.0f\nzoom_step_ms=%.1f\npan_step_ms=%.1f\nnext_picture_ms=%.0f\n",
                start, zoom, pan, next);
    return 0;
}
