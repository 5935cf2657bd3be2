// What the user sees of a picture in the main window: fitting, zoom, pan and the view's states.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pelion_driver.h"
#include "viewer_test.h"

using namespace driver;

namespace {

class ImageViewTest : public ViewerTest {
protected:
    bool WaitPercent(int expected) {
        return WaitUntil([&] { return CaptionPercent() == expected; }, 8000);
    }

    // A pixel of the view in client coordinates, as the screen shows it (0xRRGGBB).
    uint32_t ViewPixel(int x, int y) const {
        POINT pt = {x, y};
        ::ClientToScreen(m_view, &pt);
        HDC screen = ::GetDC(nullptr);
        const COLORREF c = ::GetPixel(screen, pt.x, pt.y);
        ::ReleaseDC(nullptr, screen);
        return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
    }

    bool WaitPixel(int x, int y, uint32_t rgb) {
        return WaitUntil([&] { return ViewPixel(x, y) == rgb; }, 8000);
    }

    SIZE ViewSize() const {
        RECT r = {};
        ::GetClientRect(m_view, &r);
        return {r.right, r.bottom};
    }

    static int FitPercent(SIZE area, int w, int h) {
        const float fit = std::min(std::min(float(area.cx) / w, float(area.cy) / h), 1.0f);
        return int(fit * 100.0f);
    }

};

TEST_F(ImageViewTest, SmallPictureShowsCentredAtActualSize) {
    ASSERT_NE(Open(Fixture(L"small.png")), nullptr);
    const SIZE area = ViewSize();
    EXPECT_TRUE(WaitPercent(100)) << CaptionPercent();
    EXPECT_TRUE(WaitPixel(area.cx / 2, area.cy / 2, 0xFF0000));
    // Centred: the picture's corners are where centring puts them, white around it.
    const int left = (area.cx - 400) / 2, top = (area.cy - 300) / 2;
    EXPECT_EQ(ViewPixel(left + 2, top + 2), 0xFF0000u);
    EXPECT_EQ(ViewPixel(left - 3, top + 2), 0xFFFFFFu);
    EXPECT_EQ(ViewPixel(left + 2, top - 3), 0xFFFFFFu);
    // Actual size does nothing more; a double click doubles it.
    PostKey(m_main, '1');
    PumpFor(300);
    EXPECT_EQ(CaptionPercent(), 100);
    ::PostMessageW(m_view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(area.cx / 2, area.cy / 2));
    EXPECT_TRUE(WaitPercent(200));
    EXPECT_TRUE(WaitPixel(area.cx / 2 - 350, area.cy / 2, 0xFF0000));
}

TEST_F(ImageViewTest, LargePictureIsFittedAndZoomsAtThePointer) {
    ASSERT_NE(Open(Fixture(L"large.jpg"), L"mouse_wheel_action=1\r\n"), nullptr);
    const SIZE area = ViewSize();
    const int fit = FitPercent(area, 6000, 4000);
    EXPECT_TRUE(WaitPercent(fit)) << CaptionPercent() << " vs " << fit;
    // The fitted picture fills the area's height; its middle is a blue-green blend.
    EXPECT_TRUE(WaitUntil([&] {
        const uint32_t c = ViewPixel(area.cx / 2, area.cy / 2);
        return (c & 0xFF0000) == 0 && ((c >> 8) & 0xFF) > 0x40 && (c & 0xFF) > 0x40;
    }, 15000)) << std::hex << ViewPixel(area.cx / 2, area.cy / 2);
    EXPECT_LT(ViewPixel(area.cx / 2, 2) >> 16, 0x20u);  // picture, not background, at the top

    POINT pt = {area.cx / 2, area.cy / 2};
    ::ClientToScreen(m_view, &pt);
    ::PostMessageW(m_view, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(pt.x, pt.y));
    const float fitRatio = std::min(float(area.cx) / 6000, float(area.cy) / 4000);
    EXPECT_TRUE(WaitPercent(int(fitRatio * 1.1f * 100.0f))) << CaptionPercent();
    // A delta below one notch changes nothing; two notches at once zoom twice as far.
    const int before = CaptionPercent();
    ::PostMessageW(m_view, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), MAKELPARAM(pt.x, pt.y));
    PumpFor(300);
    EXPECT_EQ(CaptionPercent(), before);
    ::PostMessageW(m_view, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(WaitPercent(int(fitRatio * 1.1f * 1.2f * 100.0f))) << CaptionPercent();
    // Zoomed in, the picture is still drawn (from the key frames).
    EXPECT_TRUE(WaitUntil([&] {
        const uint32_t c = ViewPixel(area.cx / 2, area.cy / 2);
        return (c & 0xFF0000) == 0 && (c & 0xFFFF) != 0xFFFF;
    }, 15000));
}

TEST_F(ImageViewTest, DragPansOnlyAlongTheOverflowingAxis) {
    ASSERT_NE(Open(Fixture(L"wide.png")), nullptr);
    const SIZE area = ViewSize();
    PostKey(m_main, '1');  // actual size about the centre: 4000 x 400 overflows only sideways
    EXPECT_TRUE(WaitPercent(100));
    const int cx = area.cx / 2, y = area.cy / 2, top = (area.cy - 400) / 2;
    // The picture's middle (where red meets blue) sits under the centre.
    EXPECT_TRUE(WaitPixel(cx - 50, y, 0xFF0000));
    EXPECT_TRUE(WaitPixel(cx + 50, y, 0x0000FF));
    // Drag right by 300 and down by 150: the picture follows sideways only.
    ::PostMessageW(m_view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, y));
    ::PostMessageW(m_view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, y + 150));
    ::PostMessageW(m_view, WM_LBUTTONUP, 0, MAKELPARAM(400, y + 150));
    EXPECT_TRUE(WaitPixel(cx + 50, y, 0xFF0000));
    EXPECT_TRUE(WaitPixel(cx + 250, y, 0xFF0000));
    EXPECT_TRUE(WaitPixel(cx + 350, y, 0x0000FF));
    EXPECT_EQ(ViewPixel(cx, top - 5), 0xFFFFFFu);
    EXPECT_EQ(ViewPixel(cx + 350, top + 5), 0x0000FFu);
    EXPECT_TRUE(m_process.Running());
}

TEST_F(ImageViewTest, TransparentPartsShowTheCanvasColour) {
    ASSERT_NE(Open(Fixture(L"transparent.png"), L"canvas_back_color=255,0,255\r\n"), nullptr);
    const SIZE area = ViewSize();
    const int left = (area.cx - 400) / 2, top = (area.cy - 300) / 2;
    EXPECT_TRUE(WaitPixel(left + 100, top + 150, 0x00FF00));
    EXPECT_EQ(ViewPixel(left + 300, top + 150), 0xFF00FFu);  // through the picture
    EXPECT_EQ(ViewPixel(5, 5), 0xFF00FFu);                    // around it
}

TEST_F(ImageViewTest, WelcomeErrorAndMissingStates) {
    // No picture: the welcome screen with its open button.
    ASSERT_NE(Open(L""), nullptr);
    const SIZE area = ViewSize();
    EXPECT_EQ(WindowTitle(m_main), kIdleTitle);
    const int sloganTop = (area.cy - 150 - 52) / 2;
    const int buttonY = sloganTop + 150 + 87 + 22, buttonX = (area.cx - 194) / 2 + 7 + 90;
    EXPECT_TRUE(WaitUntil([&] {
        const uint32_t c = ViewPixel(buttonX - 60, buttonY);
        return (c & 0xFF) > 0xC0 && ((c >> 16) & 0xFF) < 0x60;
    }, 5000)) << std::hex << ViewPixel(buttonX - 60, buttonY);
    ::PostMessageW(m_main, WM_CLOSE, 0, 0);
    m_process.WaitExit(kTimeout);

    // A file nothing reads: the error text, no crash.
    ASSERT_NE(Open(Fixture(L"corrupt.jpg")), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).rfind(L"corrupt.jpg", 0) == 0; }, 5000));
    EXPECT_TRUE(m_process.Running());
    ::PostMessageW(m_main, WM_CLOSE, 0, 0);
    m_process.WaitExit(kTimeout);

    // The shown file disappears: refreshing shows the missing-file tip, a dark box.
    const std::wstring copy = DataFolder() + L"gone.png";
    ASSERT_TRUE(::CopyFileW(Fixture(L"small.png").c_str(), copy.c_str(), FALSE));
    ASSERT_NE(Open(copy), nullptr);
    EXPECT_TRUE(WaitPixel(area.cx / 2 + 150, area.cy / 2, 0xFF0000));
    ASSERT_TRUE(::DeleteFileW(copy.c_str()));
    ::PostMessageW(m_main, WM_COMMAND, 21802, 0);
    EXPECT_TRUE(WaitUntil([&] {
        const uint32_t c = ViewPixel(area.cx / 2 - 85, area.cy / 2);
        return ((c >> 16) & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && (c & 0xFF) < 0x60;
    }, 5000)) << std::hex << ViewPixel(area.cx / 2 - 85, area.cy / 2);
}

TEST_F(ImageViewTest, ResizeReturnsToFit) {
    ASSERT_NE(Open(Fixture(L"large.jpg")), nullptr);
    const SIZE area = ViewSize();
    EXPECT_TRUE(WaitPercent(FitPercent(area, 6000, 4000)));
    ::PostMessageW(m_main, WM_COMMAND, 20003, 0);  // zoom in
    EXPECT_TRUE(WaitUntil([&] { return CaptionPercent() > FitPercent(area, 6000, 4000); }, 5000));
    // A border drag: enter the size-move loop, resize, leave it.
    ::SendMessageW(m_main, WM_ENTERSIZEMOVE, 0, 0);
    ::SetWindowPos(m_main, nullptr, 100, 100, 1300, 900, SWP_NOZORDER);
    ::SendMessageW(m_main, WM_EXITSIZEMOVE, 0, 0);
    const SIZE bigger = ViewSize();
    EXPECT_GT(bigger.cx, area.cx);
    EXPECT_TRUE(WaitPercent(FitPercent(bigger, 6000, 4000))) << CaptionPercent();
}

TEST_F(ImageViewTest, AnimationChangesFramesAtItsDelays) {
    ASSERT_NE(Open(Fixture(L"anim.gif")), nullptr);
    const SIZE area = ViewSize();
    const int x = area.cx / 2, y = area.cy / 2;
    // Every frame shows in turn, each for about 300 ms.
    for (uint32_t colour : {0x00FF00u, 0x0000FFu, 0xFF0000u, 0x00FF00u})
        EXPECT_TRUE(WaitPixel(x, y, colour)) << std::hex << colour << " " << ViewPixel(x, y);
    const ULONGLONG start = ::GetTickCount64();
    ASSERT_TRUE(WaitPixel(x, y, 0x0000FF));
    const ULONGLONG blueAt = ::GetTickCount64();
    ASSERT_TRUE(WaitPixel(x, y, 0xFF0000));
    const ULONGLONG redAt = ::GetTickCount64();
    EXPECT_GT(redAt - blueAt, 150u);
    EXPECT_LT(redAt - start, 2000u);
    // Rotating an animation does nothing.
    const std::wstring title = WindowTitle(m_main);
    ::PostMessageW(m_main, WM_COMMAND, 20008, 0);
    PumpFor(300);
    EXPECT_EQ(WindowTitle(m_main).substr(0, 20), title.substr(0, 20));
}

TEST_F(ImageViewTest, UnsettledWheelAsksOnceThenZooms) {
    ASSERT_NE(Open(Fixture(L"large.jpg"), L"mouse_wheel_action=99\r\nshow_wheel_favorite=1\r\n"),
              nullptr);
    const SIZE area = ViewSize();
    const int fit = FitPercent(area, 6000, 4000);
    ASSERT_TRUE(WaitPercent(fit));
    POINT pt = {area.cx / 2, area.cy / 2};
    ::ClientToScreen(m_view, &pt);
    ::PostMessageW(m_view, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(pt.x, pt.y));
    HWND question = WaitForVisibleWindow(m_process, L"DlgMouseWheelFavorite2", 10000);
    ASSERT_NE(question, nullptr);
    // Choose zooming and confirm: saved, and this very notch zooms.
    ASSERT_TRUE(ClickControl(question, L"zoom"));
    ASSERT_TRUE(ClickControl(question, L"ok"));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(question) || !::IsWindowVisible(question); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return CaptionPercent() > fit; }, 5000)) << CaptionPercent();
    EXPECT_EQ(ReadIni(DataFolder() + L"config.ini", L"app", L"mouse_wheel_action"), L"1");
    // Ctrl inverts the choice: the wheel now turns pages, up to the previous picture.
    ::PostMessageW(m_view, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).rfind(L"corrupt.jpg - 2/6", 0) == 0; }, 5000))
        << WindowTitle(m_main).size();
}

// The folder holds anim.gif, corrupt.jpg, large.jpg, small.png, transparent.png, wide.png
// (and a stamp file that is no picture).
TEST_F(ImageViewTest, KeysPageThroughTheFolder) {
    auto titleStarts = [&](const wchar_t* prefix) {
        return WaitUntil([&] { return WindowTitle(m_main).rfind(prefix, 0) == 0; }, 5000);
    };
    ASSERT_NE(Open(Fixture(L"small.png")), nullptr);
    // The folder list reports the place: fourth of six.
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).find(L") - 4/6 100%") != std::wstring::npos; }, 5000))
        << WindowTitle(m_main).size();
    PostKey(m_main, VK_RIGHT);
    EXPECT_TRUE(titleStarts(L"transparen...png"));
    PostKey(m_main, VK_SPACE);
    EXPECT_TRUE(titleStarts(L"wide.png"));
    // The last picture goes nowhere with the folder loop off.
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).find(L"6/6") != std::wstring::npos; }, 5000));
    PostKey(m_main, VK_RIGHT);
    PumpFor(500);
    EXPECT_EQ(WindowTitle(m_main).rfind(L"wide.png", 0), 0u);
    PostKey(m_main, VK_LEFT);
    EXPECT_TRUE(titleStarts(L"transparen...png"));
    ::PostMessageW(m_main, WM_CLOSE, 0, 0);
    m_process.WaitExit(kTimeout);

    // With the loop on, the last picture wraps to the first.
    ASSERT_NE(Open(Fixture(L"wide.png"), L"view_folder_loop=1\r\n"), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).find(L"6/6") != std::wstring::npos; }, 5000));
    PostKey(m_main, VK_RIGHT);
    EXPECT_TRUE(titleStarts(L"anim.gif"));
    // Pressing Right many times quickly ends on a valid picture with a consistent place.
    for (int i = 0; i < 50; ++i) PostKey(m_main, VK_RIGHT);
    PumpFor(1500);
    EXPECT_TRUE(m_process.Running());
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).find(L"/6") != std::wstring::npos; }, 8000));
}

TEST_F(ImageViewTest, ForgedMessagesFromAnotherProcessDoNoHarm) {
    ASSERT_NE(Open(Fixture(L"large.jpg")), nullptr);
    const int fit = FitPercent(ViewSize(), 6000, 4000);
    ASSERT_TRUE(WaitPercent(fit));
    PostKey(m_main, VK_ADD);  // start the zoom work so its windows exist
    ::PostMessageW(m_main, WM_COMMAND, 20003, 0);
    PumpFor(500);
    // Every message-only window of the viewer: channel, receivers, task queues, pre-renderer.
    std::vector<HWND> targets = {m_main, m_view};
    for (HWND h = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
         h = ::FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr)) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(h, &pid);
        if (pid == m_process.Pid()) targets.push_back(h);
    }
    ASSERT_GT(targets.size(), 4u);
    const UINT messages[] = {0x8032, 0x8081, 0x8082, 0x81F5, 0x81F6, 0x81F8, 0x81F9, 0x81FA,
                             0x81FB, 0x81FF, 0x8203, 0x8205, WM_USER + 100, WM_USER + 101};
    for (HWND h : targets)
        for (UINT m : messages) {
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutW(h, m, WPARAM(0x12345678), LPARAM(0x87654321), SMTO_ABORTIFHUNG,
                                  2000, &ignored);
            ::PostMessageW(h, m, WPARAM(0x1234), LPARAM(0x4321));
        }
    PumpFor(1000);
    EXPECT_TRUE(m_process.Running());
    EXPECT_EQ(WindowTitle(m_main).rfind(L"large.jpg", 0), 0u);
}

TEST_F(ImageViewTest, WelcomeOpenButtonRunsTheOpenDialog) {
    ASSERT_NE(Open(L""), nullptr);
    const SIZE area = ViewSize();
    const int sloganTop = (area.cy - 150 - 52) / 2;
    const int buttonY = sloganTop + 150 + 87 + 22, buttonX = (area.cx - 194) / 2 + 7 + 90;
    ::PostMessageW(m_view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(buttonX, buttonY));
    ::PostMessageW(m_view, WM_LBUTTONUP, 0, MAKELPARAM(buttonX, buttonY));
    HWND dialog = WaitForVisibleWindow(m_process, L"#32770", 15000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), m_main);
    // Type the picture's path into the name field and confirm.
    HWND edit = nullptr;
    ::EnumChildWindows(
        dialog,
        [](HWND h, LPARAM lp) -> BOOL {
            if (WindowClass(h) != L"Edit" || !::IsWindowVisible(h)) return TRUE;
            *reinterpret_cast<HWND*>(lp) = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&edit));
    ASSERT_NE(edit, nullptr);
    const std::wstring path = Fixture(L"small.png");
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).rfind(L"small.png ( 400x300", 0) == 0; }, 10000))
        << WindowTitle(m_main).size();
}

TEST_F(ImageViewTest, DeleteAsksThenShowsTheNextPicture) {
    const std::wstring folder = DataFolder() + L"pictures\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW(Fixture(L"small.png").c_str(), (folder + L"a.png").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(Fixture(L"wide.png").c_str(), (folder + L"b.png").c_str(), FALSE));
    ASSERT_NE(Open(folder + L"a.png", L"show_delete_confirm=1\r\n"), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(m_main).find(L"1/2") != std::wstring::npos; }, 5000));

    // Declined: the file stays.
    PostKey(m_main, VK_DELETE);
    HWND confirm = WaitForVisibleWindow(m_process, L"DlgDeleteConfirm2", 10000);
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(ClickControl(confirm, L"cancel"));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(confirm) || !::IsWindowVisible(confirm); }, 5000));
    EXPECT_TRUE(FileExists(folder + L"a.png"));

    // Confirmed: the file goes and the next picture shows.
    PostKey(m_main, VK_DELETE);
    confirm = WaitForVisibleWindow(m_process, L"DlgDeleteConfirm2", 10000);
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(ClickControl(confirm, L"ok"));
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).rfind(L"b.png ( 4000x400", 0) == 0; }, 10000))
        << WindowTitle(m_main).size();
    EXPECT_FALSE(FileExists(folder + L"a.png"));
    EXPECT_TRUE(FileExists(folder + L"b.png"));
}

TEST_F(ImageViewTest, DeletingTheOnlyPictureWithoutAskingShowsTheWelcome) {
    const std::wstring folder = DataFolder() + L"single\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW(Fixture(L"small.png").c_str(), (folder + L"only.png").c_str(), FALSE));
    ASSERT_NE(Open(folder + L"only.png", L"show_delete_confirm=0\r\n"), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(m_main).find(L"1/1") != std::wstring::npos; }, 5000));
    PostKey(m_main, VK_DELETE);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(folder + L"only.png"); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main) == kIdleTitle; }, 5000));
    EXPECT_TRUE(m_process.Running());
}

}  // namespace
