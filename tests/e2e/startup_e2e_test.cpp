// Start-up of the real viewer: exit codes, hand-over to an idle instance, window position.
#include <gtest/gtest.h>

#include "pelion_driver.h"

using namespace driver;

namespace {

constexpr DWORD kStartTimeout = 20000;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        KillProcessesNamed(L"PelionTray.exe");
        ResetDataFolder();
    }
    // The viewer starts the tray a second after it opens; it must not outlive the test.
    void TearDown() override { KillProcessesNamed(L"PelionTray.exe"); }
    std::wstring Exe(const std::wstring& folder) { return folder + L"PelionView.exe"; }
    std::wstring Sample() { return TestBinFolder() + L"data\\evening-hills.jpg"; }
    std::wstring Config() { return DataFolder() + L"config.ini"; }

    // Starts the viewer, waits for its window, closes it and returns the final exit code.
    HWND StartViewer(Process& p, const std::wstring& args = L"") {
        p = Process::Start(Exe(DistFolder()), args);
        return p.WaitForWindow(kMainClass, kStartTimeout);
    }
};

TEST_F(StartupTest, MissingSkinArchiveExitsWithMinusOne) {
    const std::wstring noZip = MakeProgramCopy(L"no-res-zip", {L"resources\\res.zip"});
    const std::wstring noFolder = MakeProgramCopy(L"no-resources", {L"resources"});
    bool saved = false;
    for (const std::wstring& folder : {noZip, noFolder}) {
        Process p = Process::Start(Exe(folder), L"");
        ASSERT_TRUE(p.Valid());
        // The message box carried inside the executable tells the user; its one button ends
        // the start.
        HWND box = WaitForVisibleWindow(p, L"CMessageBox", kStartTimeout);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
        RECT left, right;
        EXPECT_FALSE(FindControlRect(box, L"left_btn", left));
        ASSERT_TRUE(FindControlRect(box, L"right_btn", right));
        if (!saved) {
            PumpFor(300);
            EXPECT_TRUE(SavePng(CaptureWindow(box), ArtifactsFolder() + L"msgbox_missing_skin.png"));
            saved = true;
        }
        EXPECT_TRUE(p.Running());
        ASSERT_TRUE(ClickControl(box, L"right_btn"));
        EXPECT_EQ(p.WaitExit(kStartTimeout), DWORD(-1));
        EXPECT_TRUE(p.TopWindows().empty());
    }
}

TEST_F(StartupTest, MissingHubcoreEndsAtOnceWithZero) {
    const std::wstring folder = MakeProgramCopy(L"no-hubcore", {L"hubcore.dll"});
    Process p = Process::Start(Exe(folder), L"");
    EXPECT_EQ(p.WaitExit(kStartTimeout), 0u);
    // The configuration was still loaded and its folders made before the library was needed.
    EXPECT_TRUE(FileExists(DataFolder() + L"temp\\crash"));
}

TEST_F(StartupTest, InstallExitsWithoutWindowAndRecordsTheChoice) {
    // No FileLink.dll in the program folder: the switch still ends the process.
    const std::wstring folder = MakeProgramCopy(L"install", {L"FileLink.dll"});
    Process p = Process::Start(Exe(folder), L"/install");
    EXPECT_EQ(p.WaitExit(kStartTimeout), 0u);
    EXPECT_EQ(ReadIni(Config(), L"app", L"user_set_default_viewer"), L"1");
}

TEST_F(StartupTest, FileGoesToAnIdleMainWindowOfAnotherProcess) {
    const std::wstring folder = MakeProgramCopy(L"handover");
    const std::wstring dir = folder + L"with space\\";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring picture = dir + L"a b.jpg";
    ASSERT_TRUE(::CopyFileW(Sample().c_str(), picture.c_str(), FALSE));

    FakeMainWindow busy(kMainClass, L"other.jpg ( 10x10 ) -  100%");
    FakeMainWindow idle(kMainClass, kIdleTitle);
    Process p = Process::Start(Exe(folder), L"\"" + picture + L"\"");
    EXPECT_EQ(p.WaitExit(kStartTimeout), 0u);
    EXPECT_EQ(idle.Received(), std::vector<std::wstring>{picture});
    EXPECT_TRUE(busy.Received().empty());
}

TEST_F(StartupTest, BusyMainWindowIsSkippedAndARefusalIsNotAnExit) {
    FakeMainWindow busy(kMainClass, L"shown.jpg ( 10x10 ) -  100%");
    FakeMainWindow refusing(kMainClass, kIdleTitle, /*answer=*/0);
    Process p;
    HWND main = StartViewer(p, L"\"" + Sample() + L"\"");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(busy.Received().empty());
    EXPECT_EQ(refusing.Received(), std::vector<std::wstring>{Sample()});
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(kStartTimeout), 0u);
}

TEST_F(StartupTest, IdleWindowHasClassTitleAndEndsOnEscape) {
    Process p;
    HWND main = StartViewer(p);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowTitle(main), kIdleTitle);
    EXPECT_EQ(WindowClass(main), kMainClass);
    EXPECT_TRUE(::GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    PostKey(main, VK_ESCAPE);
    EXPECT_EQ(p.WaitExit(kStartTimeout), 0u);
    // Leaving saved the configuration.
    EXPECT_EQ(ReadIni(Config(), L"app", L"preload_thread"), L"3");
}

TEST_F(StartupTest, PositionIsRestoredAndStored) {
    ::CreateDirectoryW(DataFolder().c_str(), nullptr);
    ASSERT_TRUE(WriteUtf16File(Config(), L"[app]\r\nlast_position=100_80_1000_700\r\n"));
    Process p;
    HWND main = StartViewer(p);
    ASSERT_NE(main, nullptr);
    const RECT r = WindowRect(main);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right, 1000);
    EXPECT_EQ(r.bottom, 700);
    ::SetWindowPos(main, nullptr, 50, 60, 900, 650, SWP_NOZORDER | SWP_NOACTIVATE);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(kStartTimeout), 0u);
    EXPECT_EQ(ReadIni(Config(), L"app", L"last_position"), L"50_60_950_710");
}

TEST_F(StartupTest, MaxOrANarrowRectangleShowsMaximised) {
    for (const wchar_t* stored : {L"MAX", L"0_0_600_400"}) {
        ResetDataFolder();
        ::CreateDirectoryW(DataFolder().c_str(), nullptr);
        ASSERT_TRUE(WriteUtf16File(Config(), std::wstring(L"[app]\r\nlast_position=") + stored));
        Process p;
        HWND main = StartViewer(p);
        ASSERT_NE(main, nullptr) << stored;
        EXPECT_TRUE(WaitUntil([&] { return ::IsZoomed(main) != FALSE; }, 5000)) << stored;
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(p.WaitExit(kStartTimeout), 0u);
        EXPECT_EQ(ReadIni(Config(), L"app", L"last_position"), L"MAX") << stored;
    }
}

TEST_F(StartupTest, LogIsWrittenOnlyWhileItsMarkerExists) {
    Process p;
    ASSERT_NE(StartViewer(p), nullptr);
    ::PostMessageW(p.TopWindows().front(), WM_CLOSE, 0, 0);
    p.WaitExit(kStartTimeout);
    EXPECT_FALSE(FileExists(DataFolder() + L"main.log"));

    ASSERT_TRUE(WriteFileBytes(DataFolder() + L"main.log.on", ""));
    // Two viewers at once append to the same log; the first shows a picture so the second
    // does not hand its start over to it.
    Process a, b;
    HWND wa = StartViewer(a, L"\"" + Sample() + L"\"");
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(wa) != kIdleTitle; }, 5000));
    HWND wb = StartViewer(b);
    ASSERT_NE(wa, nullptr);
    ASSERT_NE(wb, nullptr);
    ::PostMessageW(wa, WM_CLOSE, 0, 0);
    ::PostMessageW(wb, WM_CLOSE, 0, 0);
    EXPECT_EQ(a.WaitExit(kStartTimeout), 0u);
    EXPECT_EQ(b.WaitExit(kStartTimeout), 0u);
    const std::string log = ReadFileBytes(DataFolder() + L"main.log");
    const std::string line = "[I][  16][app_config] CAppConfig:";
    size_t count = 0;
    for (size_t pos = log.find(line); pos != std::string::npos; pos = log.find(line, pos + 1))
        ++count;
    EXPECT_EQ(count, 2u) << log;
    EXPECT_NE(log.find("config.ini\n"), std::string::npos) << log;
}

TEST_F(StartupTest, PendingUpdateIsHandedToTheTray) {
    const std::wstring folder = MakeProgramCopy(L"update");
    ASSERT_TRUE(WriteUtf16File(folder + L"config.ini", L"[update]\r\nstate=pictaUpdate\r\n"));
    Process p = Process::Start(Exe(folder), L"--from=desktop");
    EXPECT_EQ(p.WaitExit(kStartTimeout), 0u);
    EXPECT_TRUE(p.TopWindows().empty());
    ASSERT_TRUE(WaitUntil([&] { return FileExists(DataFolder() + L"tray.log"); }, 10000));
    const std::string log = ReadFileBytes(DataFolder() + L"tray.log");
    EXPECT_NE(log.find("started --from=desktop --need-upgrade-privilege-now --entry=main --from=main"),
              std::string::npos) << log;
    KillProcessesNamed(L"PelionTray.exe");

    // While the block mutex exists the update waits and the start becomes a viewer.
    HANDLE block = ::CreateMutexW(nullptr, FALSE, L"PELION_570E6FBC-027B-461C-9218-8447018C832F");
    Process viewer = Process::Start(Exe(folder), L"");
    HWND main = viewer.WaitForWindow(kMainClass, kStartTimeout);
    EXPECT_NE(main, nullptr);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(viewer.WaitExit(kStartTimeout), 0u);
    ::CloseHandle(block);
}

TEST_F(StartupTest, ExitRemovesThePrintFileAndOldDumps) {
    const std::wstring crash = DataFolder() + L"temp\\crash\\";
    ::CreateDirectoryW(DataFolder().c_str(), nullptr);
    ::CreateDirectoryW((DataFolder() + L"temp").c_str(), nullptr);
    ::CreateDirectoryW(crash.c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(DataFolder() + L"temp\\tempprint.jpg", "x"));
    for (int i = 10; i <= 20; ++i)
        ASSERT_TRUE(WriteFileBytes(crash + L"d" + std::to_wstring(i) + L".dmp", "x"));
    ASSERT_TRUE(WriteFileBytes(crash + L"keep.txt", "x"));
    Process p;
    HWND main = StartViewer(p);
    ASSERT_NE(main, nullptr);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(kStartTimeout), 0u);
    EXPECT_FALSE(FileExists(DataFolder() + L"temp\\tempprint.jpg"));
    EXPECT_FALSE(FileExists(crash + L"d10.dmp"));
    for (int i = 11; i <= 20; ++i) EXPECT_TRUE(FileExists(crash + L"d" + std::to_wstring(i) + L".dmp"));
    EXPECT_TRUE(FileExists(crash + L"keep.txt"));
}

}  // namespace
