// The main window as a user and other processes see it.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

#include "pelion_driver.h"

using namespace driver;

namespace {

constexpr DWORD kTimeout = 20000;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        KillProcessesNamed(L"PelionTray.exe");
        ResetDataFolder();
        ::CreateDirectoryW(DataFolder().c_str(), nullptr);
    }
    void TearDown() override { KillProcessesNamed(L"PelionTray.exe"); }

    std::wstring Exe() { return DistFolder() + L"PelionView.exe"; }
    std::wstring Sample() { return TestBinFolder() + L"data\\evening-hills.jpg"; }
    std::wstring Config() { return DataFolder() + L"config.ini"; }
    void WriteConfig(const std::wstring& appKeys) {
        ASSERT_TRUE(WriteUtf16File(Config(), L"[app]\r\nlast_position=100_100_1100_800\r\n" + appKeys));
    }
    HWND Start(Process& p, const std::wstring& args = L"") {
        p = Process::Start(Exe(), args);
        return p.WaitForWindow(kMainClass, kTimeout);
    }
    static RECT ChildRect(HWND parent, int id) {
        RECT r = {};
        HWND child = ::GetDlgItem(parent, id);
        if (!child) return r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(MainWindowTest, BorderlessFrameWithChildrenAtTheirPlaces) {
    WriteConfig(L"");
    Process p;
    HWND main = Start(p);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowTitle(main), kIdleTitle);
    EXPECT_FALSE(::GetWindowLongPtrW(main, GWL_STYLE) & WS_CAPTION);
    RECT client;
    ::GetClientRect(main, &client);
    struct Expect {
        int id;
        RECT r;
    };
    const Expect expected[] = {
        {1023, {client.right - 30, 1, client.right, 31}},
        {1026, {client.right - 60, 1, client.right - 30, 31}},
        {1027, {client.right - 90, 1, client.right - 60, 31}},
        {1029, {client.right - 120, 1, client.right - 90, 31}},
        {101, {0, 31, client.right, client.bottom - 62}},
        {102, {0, client.bottom - 62, client.right, client.bottom - 2}},
    };
    for (const Expect& e : expected) {
        const RECT r = ChildRect(main, e.id);
        EXPECT_EQ(r.left, e.r.left) << e.id;
        EXPECT_EQ(r.top, e.r.top) << e.id;
        EXPECT_EQ(r.right, e.r.right) << e.id;
        EXPECT_EQ(r.bottom, e.r.bottom) << e.id;
    }
    // The caption buttons show their artwork: the close cross is dark on white.
    RECT wr = WindowRect(main);
    POINT origin = {0, 0};
    ::ClientToScreen(main, &origin);
    const int cx = origin.x - wr.left + client.right - 15, cy = origin.y - wr.top + 16;
    Capture cap;
    EXPECT_TRUE(WaitUntil([&] {
        cap = CaptureWindow(main);
        return cap.width > cx && (cap.At(cx, cy) & 0xFF) < 0xA0 &&
               (cap.At(cx - 10, cy) & 0xFFFFFF) == 0xFFFFFF;
    }, 5000)) << std::hex << cap.At(cx, cy) << " " << cap.At(cx - 10, cy);
    // The top strip drags the window; the picture area does not.
    const LPARAM top = MAKELPARAM(origin.x + 300, origin.y + 10);
    const LPARAM below = MAKELPARAM(origin.x + 300, origin.y + 200);
    EXPECT_EQ(::SendMessageW(main, WM_NCHITTEST, 0, top), HTCAPTION);
    EXPECT_NE(::SendMessageW(main, WM_NCHITTEST, 0, below), HTCAPTION);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(kTimeout), 0u);
}

TEST_F(MainWindowTest, ToolbarOnTopMovesTheImageView) {
    WriteConfig(L"toolbar_dock=0\r\n");
    Process p;
    HWND main = Start(p);
    ASSERT_NE(main, nullptr);
    RECT client;
    ::GetClientRect(main, &client);
    EXPECT_EQ(ChildRect(main, 101).top, 93);
    EXPECT_EQ(ChildRect(main, 101).bottom, client.bottom);
    EXPECT_EQ(ChildRect(main, 102).top, 33);
    EXPECT_EQ(ChildRect(main, 102).bottom, 93);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(kTimeout), 0u);
}

TEST_F(MainWindowTest, HandOverOpensTheFileAndIsRefusedWhileClosing) {
    WriteConfig(L"");
    Process first;
    HWND main = Start(first);
    ASSERT_NE(main, nullptr);
    Process second = Process::Start(Exe(), L"\"" + Sample() + L"\"");
    EXPECT_EQ(second.WaitExit(kTimeout), 0u);
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(main).rfind(L"evening-hi...jpg ( 1600x1067 , 1M MP ) - ", 0) == 0; }, 5000))
        << WindowTitle(main).size();

    // Bad requests are refused without harm.
    const wchar_t noZero[3] = {L'a', L'b', L'c'};
    EXPECT_EQ(SendCopyData(main, 0x22678201, noZero, sizeof(noZero)), 0);
    EXPECT_EQ(SendCopyData(main, 0x22678201, nullptr, 0), 0);
    EXPECT_EQ(SendCopyData(main, 0x22678201, "abc", 3), 0);
    EXPECT_EQ(SendText(main, L"C:\\no\\such\\file.jpg"), 1);  // shown nothing, no error
    EXPECT_TRUE(WaitUntil([&] { return WindowTitle(main).rfind(L"evening-hi...jpg ( 1600x1067 , 1M MP ) - ", 0) == 0; }, 500));
    const std::wstring huge(65536, L'x');
    EXPECT_EQ(SendText(main, huge), 0);

    // The close button starts the close; a request that arrives meanwhile is refused.
    ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(1023, BN_CLICKED), 0);
    EXPECT_EQ(SendText(main, Sample()), 0);
    EXPECT_EQ(first.WaitExit(kTimeout), 0u);
}

TEST_F(MainWindowTest, SwitchesReachTheAlwaysReceiver) {
    WriteConfig(L"");
    Process first;
    HWND main = Start(first, L"\"" + Sample() + L"\"");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(main) != kIdleTitle; }, 5000));
    ::ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(main) != FALSE; }, 5000));

    Process show = Process::Start(Exe(), L"--show-existing");
    EXPECT_EQ(show.WaitExit(kTimeout), 0u);
    EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(main) == FALSE; }, 5000));

    Process setting = Process::Start(Exe(), L"--setting");
    EXPECT_EQ(setting.WaitExit(kTimeout), 0u);
    EXPECT_TRUE(setting.TopWindows().empty());

    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitExit(kTimeout), 0u);

    // With no viewer running the switch falls through and the start becomes a viewer.
    Process alone;
    HWND own = Start(alone, L"--setting");
    ASSERT_NE(own, nullptr);
    ::PostMessageW(own, WM_CLOSE, 0, 0);
    EXPECT_EQ(alone.WaitExit(kTimeout), 0u);
}

TEST_F(MainWindowTest, EscapeLeavesFullScreenThenCloses) {
    WriteConfig(L"");
    Process p;
    HWND main = Start(p);
    ASSERT_NE(main, nullptr);
    const RECT before = WindowRect(main);
    ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(1029, BN_CLICKED), 0);
    const RECT full = WindowRect(main);
    EXPECT_EQ(full.left, 0);
    EXPECT_EQ(full.top, 0);
    EXPECT_EQ(full.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(full.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(main, 1026)));
    EXPECT_EQ(ChildRect(main, 1029).left, ChildRect(main, 1023).left - 30);

    PostKey(main, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] {
        const RECT r = WindowRect(main);
        return r.left == before.left && r.top == before.top && r.right == before.right &&
               r.bottom == before.bottom;
    }, 5000));
    EXPECT_TRUE(p.Running());
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(::GetDlgItem(main, 1026)) != FALSE; }, 3000));
    PostKey(main, VK_ESCAPE);
    EXPECT_EQ(p.WaitExit(kTimeout), 0u);
}

TEST_F(MainWindowTest, QuitBroadcastEndsTheViewer) {
    WriteConfig(L"");
    Process p;
    HWND main = Start(p);
    ASSERT_NE(main, nullptr);
    ::PostMessageW(main, ::RegisterWindowMessageW(L"Pelion_quit_broadcast_msg"), 0, 0);
    EXPECT_EQ(p.WaitExit(kTimeout), 0u);
    EXPECT_EQ(ReadIni(Config(), L"app", L"last_position"), L"100_100_1100_800");
}

TEST_F(MainWindowTest, LastViewerTellsTheTrayToQuitOnlyWhenAsked) {
    for (const bool completely : {true, false}) {
        SetUp();
        WriteConfig(completely ? L"completely_exit=1\r\n" : L"completely_exit=0\r\n");
        Process p;
        HWND main = Start(p);
        ASSERT_NE(main, nullptr);
        // The viewer starts the tray a second after opening.
        ASSERT_TRUE(WaitUntil([] { return !ProcessesNamed(L"PelionTray.exe").empty(); }, 10000));
        ASSERT_TRUE(WaitUntil([&] {
            return ::FindWindowW(L"Pelion.Server.MsgClass.PlIPC-be3d8fcf43482b49", nullptr) != nullptr;
        }, 5000));
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(p.WaitExit(kTimeout), 0u);
        const bool trayGone =
            WaitUntil([] { return ProcessesNamed(L"PelionTray.exe").empty(); }, completely ? 10000 : 1500);
        EXPECT_EQ(trayGone, completely);
        const std::string log = ReadFileBytes(DataFolder() + L"tray.log");
        EXPECT_EQ(log.find("type=2 routing=1 payload=\n") != std::string::npos, completely) << log;
        KillProcessesNamed(L"PelionTray.exe");
    }
}

TEST_F(MainWindowTest, KeysAndCommandsReachTheWindow) {
    WriteConfig(L"");
    Process p;
    HWND main = Start(p);
    ASSERT_NE(main, nullptr);
    auto topmost = [&] { return (::GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    PostKey(main, 'T');
    EXPECT_TRUE(WaitUntil(topmost, 3000));
    PostKey(main, 'T');
    EXPECT_TRUE(WaitUntil([&] { return !topmost(); }, 3000));

    // Toolbar at the top moves the view down by the toolbar's height, and back.
    const int viewTop = ChildRect(main, 101).top;
    ::SendMessageW(main, WM_COMMAND, 21750, 0);
    EXPECT_EQ(ChildRect(main, 101).top, viewTop + 62);
    ::SendMessageW(main, WM_COMMAND, 21751, 0);
    EXPECT_EQ(ChildRect(main, 101).top, viewTop);
    ::SendMessageW(main, WM_COMMAND, 21750, 0);

    // Wheel choices are kept for the save at exit; Enter toggles full screen.
    ::SendMessageW(main, 0x8203, 21701, 0);
    PostKey(main, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(main).left == 0 && WindowRect(main).top == 0; }, 3000));
    PostKey(main, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(main).left == 100; }, 3000));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(kTimeout), 0u);
    EXPECT_EQ(ReadIni(Config(), L"app", L"toolbar_dock"), L"0");
    EXPECT_EQ(ReadIni(Config(), L"app", L"mouse_wheel_action"), L"1");
    EXPECT_EQ(ReadIni(Config(), L"app", L"show_wheel_favorite"), L"0");
}

// A WM_DROPFILES whose HDROP lives in this process, as the shell hands it over.
void PostDrop(HWND target, const std::wstring& file) {
    const size_t bytes = sizeof(DROPFILES) + (file.size() + 2) * sizeof(wchar_t);
    HGLOBAL mem = ::GlobalAlloc(GHND, bytes);
    auto* df = static_cast<DROPFILES*>(::GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), file.c_str(),
                file.size() * sizeof(wchar_t));
    ::GlobalUnlock(mem);
    ::PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
}

TEST_F(MainWindowTest, ForeignDropHandleIsIgnoredWithoutHarm) {
    // A drop handle only means something in the process the shell made it for; one posted
    // from another process must be ignored, never read.
    WriteConfig(L"");
    Process p;
    HWND main = Start(p);
    ASSERT_NE(main, nullptr);
    PostDrop(main, Sample());
    ::PostMessageW(main, WM_DROPFILES, 0x12345678, 0);
    ::PostMessageW(main, WM_DROPFILES, 0, 0);
    PumpFor(500);
    EXPECT_TRUE(p.Running());
    EXPECT_EQ(WindowTitle(main), kIdleTitle);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(kTimeout), 0u);
}

}  // namespace
