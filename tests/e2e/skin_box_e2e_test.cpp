// The skin boxes as a user meets them: buttons, Escape, result codes, owner handling,
// placement, the drop-down list, the configuration they change, and a broken layout.
#include <gtest/gtest.h>

#include "pelion_driver.h"

using namespace driver;

namespace {

constexpr DWORD kTimeout = 15000;

class SkinBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDataFolder(); }
    std::wstring Host() { return TestBinFolder() + L"skin_box_host.exe"; }
    Process Start(const std::wstring& args) {
        Process p = Process::Start(Host(), args);
        EXPECT_TRUE(p.Valid());
        return p;
    }
    std::wstring Config() { return DataFolder() + L"config.ini"; }
    static RECT WorkArea() {
        RECT rc = {};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
        return rc;
    }
};

TEST_F(SkinBoxTest, MessageBoxButtonsAndResults) {
    struct Case {
        const wchar_t* args;
        const wchar_t* press;  // a control name, or null for Escape
        DWORD result;
        bool twoButtons;
    };
    const Case cases[] = {
        {L"msgbox 0 center 0 \"Saved.\"", L"right_btn", 1, false},
        {L"msgbox 0 center 0 \"Saved.\"", L"cls", 8, false},
        {L"msgbox 1 left 0 \"Go on?\"", L"right_btn", 1, true},
        {L"msgbox 1 left 0 \"Go on?\"", L"left_btn", 2, true},
        {L"msgbox 4 left 0 \"Replace?\"", L"right_btn", 6, true},
        {L"msgbox 4 left 0 \"Replace?\"", L"left_btn", 7, true},
        {L"msgbox 4 left 0 \"Replace?\"", nullptr, 2, true},
        {L"msgbox 0 left 0 \"GIF\" \"OK, got it\"", L"right_btn", 1, false},
        {L"msgbox 1 left 1 \"Embedded\"", L"left_btn", 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        Process p = Start(c.args);
        HWND box = WaitForVisibleWindow(p, L"CMessageBox", kTimeout);
        ASSERT_NE(box, nullptr);
        const RECT win = WindowRect(box);
        EXPECT_EQ(win.right - win.left, 340);
        EXPECT_EQ(win.bottom - win.top, 196);
        RECT right, left;
        ASSERT_TRUE(FindControlRect(box, L"right_btn", right));
        EXPECT_EQ(FindControlRect(box, L"left_btn", left), c.twoButtons);
        // One button sits in the middle; two sit side by side with the confirming one right.
        EXPECT_EQ(right.left - win.left, c.twoButtons ? 184 : 108);
        EXPECT_EQ(right.top - win.top, 145);
        if (c.press) ASSERT_TRUE(ClickControl(box, c.press));
        else PostKey(box, VK_ESCAPE);
        EXPECT_EQ(p.WaitExit(kTimeout), c.result);
    }
}

TEST_F(SkinBoxTest, EmptyMessageLeavesTheContentAreaEmpty) {
    Process p = Start(L"msgbox 0 left 0 \"\"");
    HWND box = WaitForVisibleWindow(p, L"CMessageBox", kTimeout);
    ASSERT_NE(box, nullptr);
    PumpFor(200);
    const Capture cap = CaptureWindow(box);
    ASSERT_GT(cap.width, 300);
    // Between the caption bar and the buttons everything is the plain background.
    for (int y = 60; y < 130; y += 3)
        for (int x = 20; x < 320; x += 3) ASSERT_EQ(cap.At(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
    ASSERT_TRUE(ClickControl(box, L"right_btn"));
    EXPECT_EQ(p.WaitExit(kTimeout), 1u);
}

TEST_F(SkinBoxTest, ModalBoxDisablesItsOwnerUntilItCloses) {
    Process p = Start(L"deltip --owner --linger");
    HWND box = WaitForVisibleWindow(p, L"DlgDeleteConfirm2", kTimeout);
    ASSERT_NE(box, nullptr);
    HWND owner = ::GetWindow(box, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(WindowClass(owner), L"SkinHostOwner");
    EXPECT_FALSE(::IsWindowEnabled(owner));
    // Centred over the owner by whole-pixel arithmetic.
    const RECT o = WindowRect(owner), b = WindowRect(box);
    EXPECT_EQ(b.left, (o.left + o.right) / 2 - (b.right - b.left) / 2);
    EXPECT_EQ(b.top, (o.top + o.bottom) / 2 - (b.bottom - b.top) / 2);
    ASSERT_TRUE(ClickControl(box, L"cancel"));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, kTimeout));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(owner) != FALSE; }, kTimeout));
    // The owner is the active window again.
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == owner; }, kTimeout));
    ::PostMessageW(owner, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(kTimeout) & 0xFF, 2u);
}

TEST_F(SkinBoxTest, MinimisedOwnerCentresOnTheWorkArea) {
    Process p = Start(L"deltip --owner-minimised");
    HWND box = WaitForVisibleWindow(p, L"DlgDeleteConfirm2", kTimeout);
    ASSERT_NE(box, nullptr);
    const RECT w = WorkArea(), b = WindowRect(box);
    EXPECT_EQ(b.left, (w.left + w.right) / 2 - (b.right - b.left) / 2);
    EXPECT_EQ(b.top, (w.top + w.bottom) / 2 - (b.bottom - b.top) / 2);
    PostKey(box, VK_ESCAPE);
    EXPECT_EQ(p.WaitExit(kTimeout) & 0xFF, 2u);
}

TEST_F(SkinBoxTest, BoxLargerThanTheWorkAreaSitsAtItsLeftAndTop) {
    Process p = Start(L"big --owner");
    HWND box = WaitForVisibleWindow(p, L"BigTestDialog", kTimeout);
    ASSERT_NE(box, nullptr);
    const RECT w = WorkArea(), b = WindowRect(box);
    EXPECT_GT(b.right - b.left, w.right - w.left);
    EXPECT_EQ(b.left, w.left);
    EXPECT_EQ(b.top, w.top);
    ASSERT_TRUE(ClickControl(box, L"cls"));
    EXPECT_EQ(p.WaitExit(kTimeout), 2u);
}

TEST_F(SkinBoxTest, DeleteConfirmationResultsAndNotip) {
    struct Case {
        bool tickNotip;
        const wchar_t* press;
        DWORD result;
        DWORD stillConfirm;
    };
    const Case cases[] = {
        {true, L"ok", 1, 0},       // confirmed and never asked again
        {false, L"ok", 1, 1},
        {true, L"cancel", 2, 1},   // the tick only counts with "ok"
        {false, L"cls", 2, 1},
        {false, nullptr, 2, 1},    // Escape
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        Process p = Start(L"deltip --owner");
        HWND box = WaitForVisibleWindow(p, L"DlgDeleteConfirm2", kTimeout);
        ASSERT_NE(box, nullptr);
        if (c.tickNotip) {
            ASSERT_TRUE(ClickControl(box, L"notip"));
        }
        if (c.press) {
            ASSERT_TRUE(ClickControl(box, c.press));
        } else {
            PostKey(box, VK_ESCAPE);
        }
        const DWORD code = p.WaitExit(kTimeout);
        EXPECT_EQ(code & 0xFF, c.result);
        EXPECT_EQ(code >> 8, c.stillConfirm);
    }
}

TEST_F(SkinBoxTest, WheelDialogStoresTheChoice) {
    {
        // Escape declines without the click handling: nothing is chosen or saved.
        Process p = Start(L"wheel --owner");
        HWND box = WaitForVisibleWindow(p, L"DlgMouseWheelFavorite2", kTimeout);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(ClickControl(box, L"zoom"));
        PostKey(box, VK_ESCAPE);
        EXPECT_EQ(p.WaitExit(kTimeout), 2u);
        EXPECT_EQ(ReadIni(Config(), L"app", L"mouse_wheel_action"), L"\n");
    }
    {
        Process p = Start(L"wheel --owner");
        HWND box = WaitForVisibleWindow(p, L"DlgMouseWheelFavorite2", kTimeout);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(ClickControl(box, L"zoom"));
        ASSERT_TRUE(ClickControl(box, L"notip"));  // ask again next time
        ASSERT_TRUE(ClickControl(box, L"ok"));
        EXPECT_EQ(p.WaitExit(kTimeout), 1u);
        EXPECT_EQ(ReadIni(Config(), L"app", L"mouse_wheel_action"), L"1");
        EXPECT_EQ(ReadIni(Config(), L"app", L"show_wheel_favorite"), L"1");
    }
    {
        // Closing chooses turning pages; the tick left on means never asking again.
        Process p = Start(L"wheel --owner");
        HWND box = WaitForVisibleWindow(p, L"DlgMouseWheelFavorite2", kTimeout);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(ClickControl(box, L"zoom"));
        ASSERT_TRUE(ClickControl(box, L"cls"));
        EXPECT_EQ(p.WaitExit(kTimeout), 1u);
        EXPECT_EQ(ReadIni(Config(), L"app", L"mouse_wheel_action"), L"0");
        EXPECT_EQ(ReadIni(Config(), L"app", L"show_wheel_favorite"), L"0");
    }
}

TEST_F(SkinBoxTest, ConvertBoxChoosesAFormatFromItsList) {
    {
        // Confirming without opening the list chooses nothing.
        Process p = Start(L"convert --owner \"holiday photo.gif\"");
        HWND box = WaitForVisibleWindow(p, L"CConvertMsgBox", kTimeout);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(ClickControl(box, L"right_btn"));
        EXPECT_EQ(p.WaitExit(kTimeout), 1u);
    }
    for (const wchar_t* press : {L"left_btn", L"cls", L""}) {
        Process p = Start(L"convert --owner a.png");
        HWND box = WaitForVisibleWindow(p, L"CConvertMsgBox", kTimeout);
        ASSERT_NE(box, nullptr);
        if (*press) ASSERT_TRUE(ClickControl(box, press));
        else PostKey(box, VK_ESCAPE);
        EXPECT_EQ(p.WaitExit(kTimeout), std::wstring(press) == L"cls" ? 8u : 2u) << press;
    }
    Process p = Start(L"convert --owner \"holiday photo.gif\"");
    HWND box = WaitForVisibleWindow(p, L"CConvertMsgBox", kTimeout);
    ASSERT_NE(box, nullptr);
    RECT drop;
    ASSERT_TRUE(FindControlRect(box, L"dropList", drop));
    ASSERT_TRUE(ClickControl(box, L"dropList"));
    HWND list = WaitForVisibleWindow(p, L"CListWnd", kTimeout);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(::GetWindow(list, GW_OWNER), box);
    // Right under the field, as wide as it, one 32-pixel row per format.
    RECT lr = WindowRect(list);
    EXPECT_EQ(lr.left, drop.left);
    EXPECT_EQ(lr.top, drop.bottom);
    EXPECT_EQ(lr.right - lr.left, drop.right - drop.left);
    EXPECT_TRUE(WaitUntil([&] { lr = WindowRect(list); return lr.bottom - lr.top == 5 * 32 + 2; }, kTimeout));
    PumpFor(300);
    EXPECT_TRUE(SavePng(CaptureWindow(list), ArtifactsFolder() + L"convert_list.png"));
    RECT rows;
    ASSERT_TRUE(FindControlRect(list, L"list", rows));
    ClickAt(list, POINT{(rows.left + rows.right) / 2, rows.top + 32 + 16});  // "PNG"
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(list) || !::IsWindow(list); }, kTimeout));
    PumpFor(300);
    EXPECT_TRUE(SavePng(CaptureWindow(box), ArtifactsFolder() + L"convert_box.png"));
    // The list opens again (a new window, laid out anew) and closes with a second click on
    // the field without changing the choice.
    ASSERT_TRUE(ClickControl(box, L"dropList"));
    HWND again = WaitForVisibleWindow(p, L"CListWnd", kTimeout);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(WaitUntil([&] { const RECT r = WindowRect(again); return r.bottom - r.top == 5 * 32 + 2; }, kTimeout));
    ASSERT_TRUE(ClickControl(box, L"dropList"));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(again); }, kTimeout));
    ASSERT_TRUE(ClickControl(box, L"right_btn"));
    EXPECT_EQ(p.WaitExit(kTimeout), 1u | (2u << 8));
}

TEST_F(SkinBoxTest, LayoutThatCannotBeBuiltEndsWithOne) {
    // A layout missing from the archive, and a whole archive cut short.
    const std::wstring broken = TestBinFolder() + L"broken-skin\\";
    ::CreateDirectoryW(broken.c_str(), nullptr);
    const std::string zip = ReadFileBytes(DistFolder() + L"resources\\res.zip");
    ASSERT_GT(zip.size(), 100u);
    ASSERT_TRUE(WriteFileBytes(broken + L"res.zip", zip.substr(0, zip.size() / 2)));
    for (const std::wstring& args : {std::wstring(L"badlayout --owner"), L"deltip --owner --skin \"" + broken + L"\""}) {
        SCOPED_TRACE(args);
        Process p = Start(args);
        HWND alert = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            for (HWND h : p.TopWindows())
                if (::IsWindowVisible(h) && WindowTitle(h) == L"Duilib") alert = h;
            return alert != nullptr;
        }, kTimeout));
        ::PostMessageW(alert, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(p.WaitExit(kTimeout), 1u);
    }
}

}  // namespace
