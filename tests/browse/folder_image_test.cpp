// The folder list on real folders through its real scan thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <random>

#include "app_config.h"
#include "browse_instances.h"
#include "browse_messages.h"
#include "browse_test_env.h"
#include "current_folder_image.h"
#include "explorer_view_order.h"
#include "system_cache.h"

namespace {

using Names = std::deque<std::wstring>;

class FolderImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_loop = CAppConfig::Instance()->viewFolderLoop;
        CAppConfig::Instance()->viewFolderLoop = 0;
        images.SetPositionSink(&positions);
    }
    void TearDown() override { CAppConfig::Instance()->viewFolderLoop = m_loop; }

    // Opens path and lets its scan finish.
    void OpenAndScan(const std::wstring& path) {
        images.SetFile(notify.GetSafeHwnd(), path);
        ASSERT_TRUE(PumpUntil([&] { return !images.IsScanning(); }, 60000)) << "scan never ended";
    }

    NotifyCounter notify;
    PositionRecorder positions;
    CCurrentFolderImage images;

private:
    int32_t m_loop = 0;
};

// 10,000 empty files p1.jpg ... p10000.jpg and readme.txt, made at build time.
std::wstring TenThousandFolder() { return TestBinFile(L"browse_fixtures\\ten_thousand"); }

void FillNaturalOrderFolder(const TempFolder& dir) {
    for (const wchar_t* name : {L"a2.jpg", L"a10.jpg", L"a1.jpg", L"b.PNG", L"notes.txt"})
        dir.AddFile(name);
    dir.AddFolder(L"x.jpg");
}

TEST_F(FolderImageTest, ScanListsPicturesInNaturalOrder) {
    TempFolder dir;
    FillNaturalOrderFolder(dir);

    images.SetFile(notify.GetSafeHwnd(), dir / L"a2.jpg");
    // Until the scan is back the list holds only the opened picture and goes nowhere.
    EXPECT_EQ(images.Names(), Names({L"a2.jpg"}));
    EXPECT_EQ(images.CurrentIndex(), 0);
    EXPECT_EQ(positions.Last(), std::make_pair(0, 1));
    EXPECT_FALSE(images.CanMove(1));
    EXPECT_EQ(images.GetNeighbour(1), L"");

    ASSERT_TRUE(PumpUntil([&] { return notify.listChanged == 1; }));
    EXPECT_FALSE(images.IsScanning());
    EXPECT_EQ(images.Folder(), dir.Path());
    EXPECT_EQ(images.Names(), Names({L"a1.jpg", L"a2.jpg", L"a10.jpg", L"b.PNG"}));
    EXPECT_EQ(images.CurrentIndex(), 1);
    EXPECT_EQ(positions.Last(), std::make_pair(1, 4));
    EXPECT_EQ(images.GetNeighbour(1), dir / L"a10.jpg");
    EXPECT_EQ(images.GetNeighbour(-1), dir / L"a1.jpg");

    // The preload cache was told: the neighbours of index 1 with no direction known yet.
    CSystemCache* cache = GetSystemCache();
    EXPECT_EQ(cache->Folder(), dir.Path());
    EXPECT_EQ(cache->QueuedPaths(),
              std::vector<std::wstring>({dir / L"a10.jpg", dir / L"a1.jpg", dir / L"b.PNG"}));

    // No Explorer window shows the folder here, which is why the natural order held.
    std::atomic<int32_t> stop{0};
    std::vector<std::wstring> explorer{L"stale"};
    EXPECT_FALSE(ReadExplorerViewOrder(dir.Path(), stop, explorer));
    EXPECT_TRUE(explorer.empty());
}

TEST_F(FolderImageTest, ForeignScanMessagesAreIgnored) {
    TempFolder dir;
    FillNaturalOrderFolder(dir);
    images.SetFile(notify.GetSafeHwnd(), dir / L"a2.jpg");
    ASSERT_TRUE(images.GetSafeHwnd());
    FolderScanResult forged;
    forged.names = {L"evil.jpg", L"a2.jpg"};
    forged.index = 1;
    for (WPARAM wParam : {WPARAM(0), WPARAM(0x12345678), reinterpret_cast<WPARAM>(&forged)})
        ::SendMessageW(images.GetSafeHwnd(), kMsgFolderScanFinished, wParam, 0);
    EXPECT_EQ(images.Names(), Names({L"a2.jpg"}));
    ASSERT_TRUE(PumpUntil([&] { return !images.IsScanning(); }));
    EXPECT_EQ(images.Names(), Names({L"a1.jpg", L"a2.jpg", L"a10.jpg", L"b.PNG"}));
}

TEST_F(FolderImageTest, SameFolderAfterScanOnlyMovesTheIndex) {
    TempFolder dir;
    FillNaturalOrderFolder(dir);
    OpenAndScan(dir / L"a2.jpg");
    ASSERT_EQ(images.Count(), 4);
    notify.listChanged = 0;
    // A file added now would show up if the folder were listed again.
    dir.AddFile(L"a3.jpg");

    images.SetFile(notify.GetSafeHwnd(), dir.Path() + L"\\A10.JPG");
    EXPECT_EQ(notify.listChanged, 1) << "0x81F9 is sent before SetFile returns";
    EXPECT_FALSE(images.IsScanning());
    EXPECT_EQ(images.CurrentIndex(), 2);
    EXPECT_EQ(positions.Last(), std::make_pair(2, 4));
    EXPECT_EQ(GetSystemCache()->QueuedPaths(),
              std::vector<std::wstring>({dir / L"b.PNG", dir / L"a2.jpg"}));

    driver::PumpFor(200);
    EXPECT_EQ(notify.listChanged, 1);
    EXPECT_EQ(images.Count(), 4);
}

TEST_F(FolderImageTest, NeighboursAtTheEndsFollowTheLoopSetting) {
    TempFolder dir;
    for (const wchar_t* name : {L"1.jpg", L"2.jpg", L"3.jpg"}) dir.AddFile(name);
    OpenAndScan(dir / L"3.jpg");
    ASSERT_EQ(images.CurrentIndex(), 2);
    EXPECT_EQ(images.GetNeighbour(1), L"");
    EXPECT_FALSE(images.CanMove(1));
    EXPECT_EQ(images.CurrentIndex(), 2);
    CAppConfig::Instance()->viewFolderLoop = 1;
    EXPECT_EQ(images.GetNeighbour(1), dir / L"1.jpg");
    EXPECT_TRUE(images.CanMove(1));
    EXPECT_EQ(images.CurrentIndex(), 2) << "asking does not move";

    TempFolder single;
    single.AddFile(L"only.png");
    OpenAndScan(single / L"only.png");
    for (int loop : {0, 1}) {
        CAppConfig::Instance()->viewFolderLoop = loop;
        EXPECT_EQ(images.GetNeighbour(1), L"");
        EXPECT_EQ(images.GetNeighbour(-1), L"");
        EXPECT_FALSE(images.CanMove(-1));
    }
}

TEST_F(FolderImageTest, RemoveShowsTheNextPictureOrResets) {
    TempFolder dir;
    for (const wchar_t* name : {L"1.jpg", L"2.jpg", L"3.jpg", L"4.jpg", L"5.jpg"})
        dir.AddFile(name);
    OpenAndScan(dir / L"5.jpg");
    EXPECT_EQ(images.Remove(dir / L"5.jpg"), dir / L"4.jpg");
    EXPECT_EQ(images.CurrentIndex(), 3);
    images.SetFile(notify.GetSafeHwnd(), dir / L"2.jpg");
    EXPECT_EQ(images.Remove(dir / L"2.jpg"), dir / L"3.jpg") << "the follower takes its place";
    // A file of the same name in another folder is not ours.
    EXPECT_EQ(images.Remove(L"C:\\elsewhere\\3.jpg"), dir / L"3.jpg");
    EXPECT_EQ(images.Count(), 3);

    TempFolder single;
    single.AddFile(L"only.png");
    OpenAndScan(single / L"only.png");
    EXPECT_EQ(images.Remove(single / L"only.png"), L"");
    EXPECT_EQ(images.Count(), 0);
    EXPECT_EQ(images.CurrentIndex(), -1);
    EXPECT_EQ(images.Folder(), L"");

    // Deleting during a scan stops it and forgets the list; nothing arrives later.
    TempFolder busy;
    for (int i = 0; i < 300; ++i) busy.AddFile(std::to_wstring(i) + L".jpg");
    notify.listChanged = 0;
    images.SetFile(notify.GetSafeHwnd(), busy / L"7.jpg");
    EXPECT_EQ(images.Remove(busy / L"7.jpg"), L"");
    EXPECT_FALSE(images.IsScanning());
    driver::PumpFor(300);
    EXPECT_EQ(notify.listChanged, 0);
    EXPECT_EQ(images.Count(), 0);
}

TEST_F(FolderImageTest, MissingFolderOrFileKeepsTheOpenedPictureOnly) {
    struct Case {
        const char* what;
        bool removeFolder;  // the folder vanishes right after SetFile
        bool removeFile;    // the opened file is gone before the scan
    };
    for (const Case c : {Case{"folder gone during the scan", true, false},
                         Case{"opened file gone", false, true}}) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        for (int i = 0; i < 200; ++i) dir.AddFile(L"p" + std::to_wstring(i) + L".jpg");
        if (c.removeFile) dir.Delete(L"p5.jpg");
        notify.listChanged = 0;
        images.SetFile(notify.GetSafeHwnd(), dir / L"p5.jpg");
        if (c.removeFolder) dir.RemoveAll();
        ASSERT_TRUE(PumpUntil([&] { return notify.listChanged == 1; }));
        EXPECT_GE(images.CurrentIndex(), 0);
        EXPECT_LT(images.CurrentIndex(), images.Count());
        EXPECT_EQ(images.Names()[size_t(images.CurrentIndex())], L"p5.jpg");
        if (c.removeFile) {
            EXPECT_EQ(images.Count(), 1);
            EXPECT_FALSE(images.CanMove(1));
        }
    }
    TempFolder gone;
    const std::wstring path = gone.Path() + L"\\missing\\a.jpg";
    notify.listChanged = 0;
    OpenAndScan(path);
    EXPECT_EQ(notify.listChanged, 1);
    EXPECT_EQ(images.Names(), Names({L"a.jpg"}));
    EXPECT_EQ(positions.Last(), std::make_pair(0, 1));
}

TEST_F(FolderImageTest, FileDeletedBetweenListingAndOpening) {
    TempFolder dir;
    FillNaturalOrderFolder(dir);
    OpenAndScan(dir / L"a2.jpg");
    dir.Delete(L"a10.jpg");
    const std::wstring next = images.GetNeighbour(1);
    ASSERT_EQ(next, dir / L"a10.jpg") << "the list is as scanned";
    images.SetFile(notify.GetSafeHwnd(), next);
    EXPECT_EQ(images.CurrentIndex(), 2);
    // The view finds the file gone and removes it; the list moves on to a real file.
    const std::wstring after = images.Remove(next);
    EXPECT_EQ(after, dir / L"b.PNG");
    EXPECT_TRUE(driver::FileExists(after));
    EXPECT_EQ(images.Names(), Names({L"a1.jpg", L"a2.jpg", L"b.PNG"}));
}

TEST_F(FolderImageTest, AnotherFolderWhileScanningWins) {
    const std::wstring big = TenThousandFolder();
    TempFolder small, other;
    for (const wchar_t* name : {L"s1.jpg", L"s2.jpg"}) small.AddFile(name);
    for (const wchar_t* name : {L"o1.png", L"o2.png", L"o3.png"}) other.AddFile(name);

    // The first scan is still listing; then one that has finished and waits to hand back
    // while this thread is busy: neither list may land.
    for (const bool waiting : {false, true}) {
        SCOPED_TRACE(waiting ? "scan waiting to hand back" : "scan running");
        positions.calls.clear();
        notify.listChanged = 0;
        images.SetFile(notify.GetSafeHwnd(), waiting ? small / L"s1.jpg" : big + L"\\p10.jpg");
        if (waiting) ::Sleep(300);
        const DWORD t0 = ::GetTickCount();
        images.SetFile(notify.GetSafeHwnd(), other / L"o2.png");
        // Only a deadlock could take this long; stopping a scan is quick.
        EXPECT_LT(::GetTickCount() - t0, 5000u);
        ASSERT_TRUE(PumpUntil([&] { return notify.listChanged >= 1; }));
        driver::PumpFor(200);
        EXPECT_EQ(notify.listChanged, 1);
        EXPECT_EQ(images.Folder(), other.Path());
        EXPECT_EQ(images.Names(), Names({L"o1.png", L"o2.png", L"o3.png"}));
        EXPECT_EQ(images.CurrentIndex(), 1);
        for (const auto& call : positions.calls) EXPECT_LE(call.second, 3) << "a stale list";
    }
}

TEST_F(FolderImageTest, FiftyQuickSteps) {
    TempFolder a, b;
    for (int i = 1; i <= 20; ++i) a.AddFile(L"a" + std::to_wstring(i) + L".jpg");
    for (int i = 1; i <= 7; ++i) b.AddFile(L"b" + std::to_wstring(i) + L".gif");
    CAppConfig::Instance()->viewFolderLoop = 1;
    OpenAndScan(a / L"a1.jpg");
    int expected = 0;
    std::mt19937 random(5);
    for (int step = 0; step < 50; ++step) {
        const int offset = random() % 3 == 0 ? -1 : 1;
        const std::wstring next = images.GetNeighbour(offset);
        ASSERT_TRUE(driver::FileExists(next)) << step;
        images.SetFile(notify.GetSafeHwnd(), next);
        expected = (expected + offset + 20) % 20;
        ASSERT_EQ(images.CurrentIndex(), expected) << step;
        ASSERT_EQ(positions.Last(), std::make_pair(expected, 20)) << step;
        ASSERT_FALSE(images.IsScanning());
    }
    // Alternating folders without letting any scan hand back: only the last one counts.
    notify.listChanged = 0;
    for (int step = 0; step < 50; ++step) {
        if (step % 2 == 0)
            images.SetFile(notify.GetSafeHwnd(),
                           b / (L"b" + std::to_wstring(step % 7 + 1) + L".gif"));
        else
            images.SetFile(notify.GetSafeHwnd(),
                           a / (L"a" + std::to_wstring(step % 20 + 1) + L".jpg"));
        ASSERT_EQ(images.Count(), 1);
        ASSERT_EQ(images.GetNeighbour(1), L"") << "no neighbour while scanning";
    }
    ASSERT_TRUE(PumpUntil([&] { return !images.IsScanning(); }));
    driver::PumpFor(100);
    EXPECT_EQ(notify.listChanged, 1);
    EXPECT_EQ(images.Folder(), a.Path());
    EXPECT_EQ(images.Count(), 20);
    EXPECT_EQ(images.CurrentIndex(), 49 % 20);
}

TEST_F(FolderImageTest, TenThousandFiles) {
    const std::wstring dir = TenThousandFolder();
    OpenAndScan(dir + L"\\p5000.jpg");
    ASSERT_EQ(images.Count(), 10000);
    Names expected;
    for (int i = 1; i <= 10000; ++i) expected.push_back(L"p" + std::to_wstring(i) + L".jpg");
    EXPECT_TRUE(images.Names() == expected);
    EXPECT_EQ(images.CurrentIndex(), 4999);
    EXPECT_EQ(positions.Last(), std::make_pair(4999, 10000));
}

TEST_F(FolderImageTest, NamesBeyondTheBasicPlaneAndWithoutExtension) {
    TempFolder dir;
    const std::wstring script = L"\U0001D49C2.jpg";  // a mathematical script capital A
    const std::wstring face = L"\U0001F600.png";
    for (const std::wstring& name : {script, face, std::wstring(L"a1.jpg"), std::wstring(L"plain")})
        dir.AddFile(name);
    OpenAndScan(dir / script);
    ASSERT_EQ(images.Count(), 3);
    EXPECT_EQ(images.Names()[size_t(images.CurrentIndex())], script);
    EXPECT_NE(std::find(images.Names().begin(), images.Names().end(), face), images.Names().end());
    CAppConfig::Instance()->viewFolderLoop = 1;
    for (int offset : {1, -1})
        EXPECT_TRUE(driver::FileExists(images.GetNeighbour(offset))) << offset;

    // A file without extension may be opened but is not a listed picture.
    OpenAndScan(dir / L"plain");
    EXPECT_EQ(images.Names(), Names({L"plain"}));
    EXPECT_EQ(images.CurrentIndex(), 0);
    EXPECT_FALSE(images.CanMove(1));
}

}  // namespace

namespace {

TEST(FolderImageInstancesTest, ExitOrderWithAScanRunning) {
    NotifyCounter notify;
    GetFolderImage()->SetFile(notify.GetSafeHwnd(), TenThousandFolder() + L"\\p1.jpg");
    ASSERT_TRUE(GetFolderImage()->IsScanning());
    // As the application's exit does it: the preload cache first, then the folder list.
    DestroySystemCache();
    DestroyFolderImage();
    driver::PumpFor(300);
    EXPECT_EQ(notify.listChanged, 0);
    EXPECT_EQ(GetFolderImage()->Count(), 0) << "a fresh list after the old one was destroyed";
    DestroyFolderImage();
}

}  // namespace
