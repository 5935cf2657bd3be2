// The toolbar under the picture: which buttons can be pressed, what a press does and the face
// of the actual-size button.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <vector>

#include "bar_layout_math.h"
#include "pelion_driver.h"
#include "toolbar_rules.h"
#include "viewer_test.h"

using namespace driver;
using namespace wnd_main_toolbar;

namespace {

// The main window's children with the given id, by their left edge in the main window.
std::map<int, HWND> ChildrenWithId(HWND main, int id) {
    std::map<int, HWND> found;
    for (HWND c = ::GetWindow(main, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(c) != id) continue;
        RECT r = WindowRect(c);
        ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        found[r.left] = c;
    }
    return found;
}

constexpr int kToolbarId = 102;

class ToolbarTest : public ViewerTest {
protected:
    HWND Open(const std::wstring& path, const std::wstring& keys = L"") {
        ViewerTest::Open(path, keys);
        m_toolbar = m_main ? ::GetDlgItem(m_main, kToolbarId) : nullptr;
        return m_toolbar;
    }

    // The left edge of each button in the toolbar's client area, by command.
    std::map<int, int> ButtonLefts() const {
        RECT rc = {};
        ::GetClientRect(m_toolbar, &rc);
        std::vector<int> groups;
        for (const auto& b : kToolbarButtons) groups.push_back(b.group);
        const std::vector<int> xs = PlaceButtonRow(rc.left, rc.right, groups, 52);
        std::map<int, int> lefts;
        for (size_t i = 0; i < xs.size(); ++i) lefts[kToolbarButtons[i].command] = xs[i];
        return lefts;
    }

    // The darkest grey level inside a box of a button's cell: ink of a glyph drawn there.
    static int Ink(const Capture& cap, int left, int x0, int y0, int x1, int y1) {
        int darkest = 255;
        for (int y = 13 + y0; y < 13 + y1 && y < cap.height; ++y)
            for (int x = left + x0; x < left + x1 && x < cap.width; ++x) {
                if (x < 0) continue;
                const uint32_t p = cap.At(x, y);
                darkest = std::min(darkest, int(((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3));
            }
        return darkest;
    }

    // Every button's enabled face: dark ink for enabled, pale for disabled.
    std::map<int, bool> EnabledFaces() const {
        const Capture cap = CaptureWindow(m_toolbar);
        std::map<int, bool> faces;
        for (const auto& [command, left] : ButtonLefts())
            faces[command] = Ink(cap, left, 0, 0, 52, 34) < 0xA0;
        return faces;
    }

    bool WaitFaces(const std::map<int, bool>& expected) {
        return WaitUntil([&] {
            const std::map<int, bool> now = EnabledFaces();
            for (const auto& [command, on] : expected)
                if (now.at(command) != on) return false;
            return true;
        }, 10000);
    }

    std::wstring Describe() const {
        std::wstring s;
        for (const auto& [command, on] : EnabledFaces())
            s += std::to_wstring(command) + (on ? L"+ " : L"- ");
        return s;
    }

    // Column 0 (actual size) has a frame through the middle of its left side; column 12 (fit)
    // has only corner marks there and a small frame above the centre.
    int ActualSizeFace() const {
        const Capture cap = CaptureWindow(m_toolbar);
        const int left = ButtonLefts().at(kCmdActualSize);
        const bool side = Ink(cap, left, 15, 15, 19, 20) < 0xA0;
        const bool inner = Ink(cap, left, 24, 12, 29, 13) < 0xA0;
        if (side && !inner) return kActualColumn;
        if (inner && !side) return kFitColumn;
        return -1;
    }

    void Click(int command) const {
        const LPARAM at = MAKELPARAM(ButtonLefts().at(command) + 26, 13 + 17);
        ::PostMessageW(m_toolbar, WM_MOUSEMOVE, 0, at);
        ::PostMessageW(m_toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(m_toolbar, WM_LBUTTONUP, 0, at);
    }

    HWND m_toolbar = nullptr;
};

// Buttons whose state depends only on the picture, not on the folder around it.
const int kPictureButtons[] = {kCmdActualSize, kCmdResize, kCmdZoomIn, kCmdZoomOut,
                               kCmdRotateLeft, kCmdRotateRight, kCmdDelete, kCmdEnhance,
                               kCmdInfoPanel, kCmdShowLocation, kCmdConvert};

std::map<int, bool> Expected(bool decoded, bool animated) {
    std::map<int, bool> m;
    for (int c : kPictureButtons) m[c] = decoded;
    m[kCmdRotateLeft] = m[kCmdRotateRight] = decoded && !animated;
    m[kCmdDelete] = true;
    m[kCmdShowLocation] = false;  // no fixture carries a GPS position
    return m;
}

TEST_F(ToolbarTest, ButtonsFollowThePictureKind) {
    struct Case {
        const wchar_t* file;
        bool decoded, animated;
    };
    // The fixtures folder sorts anim.gif, corrupt.jpg, large.jpg, small.png, ...
    const Case cases[] = {{L"small.png", true, false},
                          {L"corrupt.jpg", false, false},
                          {L"anim.gif", true, true}};
    for (const Case& c : cases) {
        ASSERT_NE(Open(Fixture(c.file)), nullptr) << c.file;
        std::map<int, bool> expected = Expected(c.decoded, c.animated);
        if (c.file != std::wstring(L"anim.gif")) expected[kCmdPrevious] = true;
        expected[kCmdNext] = true;
        EXPECT_TRUE(WaitFaces(expected)) << c.file << L": " << Describe();
        Close();
    }
}

TEST_F(ToolbarTest, ClicksRunTheirCommands) {
    ASSERT_NE(Open(Fixture(L"small.png")), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CaptionPercent() == 100; }, 8000)) << CaptionPercent();
    ASSERT_TRUE(WaitFaces({{kCmdZoomIn, true}, {kCmdNext, true}})) << Describe();
    Click(kCmdZoomIn);
    EXPECT_TRUE(WaitUntil([&] { return CaptionPercent() > 100; }, 8000)) << CaptionPercent();
    const int zoomed = CaptionPercent();
    Click(kCmdZoomOut);
    EXPECT_TRUE(WaitUntil([&] { return CaptionPercent() > 0 && CaptionPercent() < zoomed; }, 8000));
    // Next picture: the title names the file after small.png.
    Click(kCmdNext);
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).rfind(L"transparen", 0) == 0; }, 8000))
        << WindowTitle(m_main);
    // A press that ends outside the button does nothing.
    const int before = CaptionPercent();
    const int left = ButtonLefts().at(kCmdZoomIn);
    ::PostMessageW(m_toolbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left + 26, 30));
    ::PostMessageW(m_toolbar, WM_LBUTTONUP, 0, MAKELPARAM(left + 26, 55));
    PumpFor(500);
    EXPECT_EQ(CaptionPercent(), before);
    // Closing reports from popups that are not open are ignored, whoever sends them: no
    // zoom from a "menu" that names zoom in, no redraw from an "enhance window".
    HWND menubar = nullptr;
    for (const auto& [left, child] : ChildrenWithId(m_main, 103))
        if (left != 8) menubar = child;
    ASSERT_NE(menubar, nullptr);
    ::PostMessageW(menubar, 0x8203, kCmdZoomIn, 0);
    ::PostMessageW(m_toolbar, 0x81FD, 3, 0);
    PumpFor(500);
    EXPECT_EQ(CaptionPercent(), before);
    EXPECT_TRUE(m_process.Running());
}

TEST_F(ToolbarTest, ActualSizeFaceFollowsZoomAndNewPicture) {
    ASSERT_NE(Open(Fixture(L"large.jpg"), L"mouse_wheel_action=1\r\n"), nullptr);
    ASSERT_TRUE(WaitFaces({{kCmdActualSize, true}})) << Describe();
    EXPECT_TRUE(WaitUntil([&] { return ActualSizeFace() == kActualColumn; }, 5000));
    RECT area = {};
    ::GetClientRect(m_view, &area);
    const float fitRatio = std::min(std::min(area.right / 6000.0f, area.bottom / 4000.0f), 1.0f);
    const int fit = int(fitRatio * 100.0f);
    ASSERT_TRUE(WaitUntil([&] { return CaptionPercent() == fit; }, 8000)) << CaptionPercent();

    // A wheel zoom leaves the fit ratio: the button now means fit.
    RECT vr = {};
    ::GetWindowRect(m_view, &vr);
    const LPARAM centre = MAKELPARAM((vr.left + vr.right) / 2, (vr.top + vr.bottom) / 2);
    ::PostMessageW(m_view, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), centre);
    EXPECT_TRUE(WaitUntil([&] { return CaptionPercent() > fit; }, 8000));
    EXPECT_TRUE(WaitUntil([&] { return ActualSizeFace() == kFitColumn; }, 5000)) << ActualSizeFace();

    // A new picture: actual size again.
    Click(kCmdNext);
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).rfind(L"small.png", 0) == 0; }, 8000))
        << WindowTitle(m_main);
    EXPECT_TRUE(WaitUntil([&] { return ActualSizeFace() == kActualColumn; }, 5000)) << ActualSizeFace();

    // Back on the large picture, pressing the button shows actual size and turns it to fit;
    // pressing again fits.
    Click(kCmdPrevious);
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(m_main).rfind(L"large.jpg", 0) == 0; }, 8000));
    EXPECT_TRUE(WaitUntil([&] { return CaptionPercent() == fit; }, 8000)) << CaptionPercent();
    Click(kCmdActualSize);
    EXPECT_TRUE(WaitUntil([&] { return CaptionPercent() == 100; }, 8000)) << CaptionPercent();
    EXPECT_TRUE(WaitUntil([&] { return ActualSizeFace() == kFitColumn; }, 5000)) << ActualSizeFace();
    Click(kCmdActualSize);
    EXPECT_TRUE(WaitUntil([&] { return CaptionPercent() == fit; }, 8000)) << CaptionPercent();
    EXPECT_TRUE(WaitUntil([&] { return ActualSizeFace() == kActualColumn; }, 5000)) << ActualSizeFace();
}

// The number of tools of the tooltip windows a window owns (a popup's owner is the top-level
// window of the child that makes it), largest first; 0 without any.
LRESULT LargestToolTip(HWND main) {
    struct Find {
        HWND main;
        LRESULT count;
    } find = {main, 0};
    ::EnumWindows([](HWND w, LPARAM p) -> BOOL {
        auto* f = reinterpret_cast<Find*>(p);
        const HWND owner = ::GetWindow(w, GW_OWNER);
        if ((owner == f->main || ::GetParent(owner) == f->main) &&
            WindowClass(w) == L"tooltips_class32")
            f->count = std::max(f->count, ::SendMessageW(w, TTM_GETTOOLCOUNT, 0, 0));
        return TRUE;
    }, reinterpret_cast<LPARAM>(&find));
    return find.count;
}

TEST_F(ToolbarTest, TipsAppearOnceThePointerComesAndTheLogoNarrowsForAPicture) {
    for (const wchar_t* file : {L"", L"small.png"}) {
        ASSERT_NE(Open(*file ? Fixture(file) : std::wstring()), nullptr);
        // No tooltip window until the pointer is over the toolbar, then one tool per button.
        PumpFor(300);
        EXPECT_LT(LargestToolTip(m_main), LRESULT(kToolbarButtonCount));
        ::PostMessageW(m_toolbar, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(WaitUntil([&] {
            return LargestToolTip(m_main) == LRESULT(kToolbarButtonCount);
        }, 5000)) << LargestToolTip(m_main);

        // The logo sits at (8, 3): wide with the name while idle, the mark alone otherwise.
        const bool idle = *file == 0;
        HWND logo = nullptr;
        EXPECT_TRUE(WaitUntil([&] {
            const auto children = ChildrenWithId(m_main, 103);
            const auto it = children.find(8);
            logo = it == children.end() ? nullptr : it->second;
            if (!logo) return false;
            const RECT r = WindowRect(logo);
            return r.right - r.left == (idle ? 90 : 24) && r.bottom - r.top == 30;
        }, 5000)) << file;
        if (logo) {
            const Capture cap = CaptureWindow(logo);
            // The blue tile of the mark on the left in both forms.
            const uint32_t tile = cap.At(4, 12);
            EXPECT_GT(tile & 0xFF, 0xC0u) << std::hex << tile;
            EXPECT_LT((tile >> 16) & 0xFF, 0x60u) << std::hex << tile;
        }
        Close();
    }
}

}  // namespace
