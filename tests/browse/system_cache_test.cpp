// The preload cache: which neighbours it warms up, when, and the quick preview with and
// without the shell's thumbnail cache.
#include <gtest/gtest.h>

#include <deque>

#include "app_config.h"
#include "browse_test_env.h"
#include "current_picture.h"
#include "fake_thumbnail_cache.h"
#include "imaging_options.h"
#include "shell_thumbnail.h"
#include "system_cache.h"
#include "wic_ops.h"

namespace {

using Paths = std::vector<std::wstring>;

std::deque<std::wstring> TenJpegs(const TempFolder& dir) {
    std::deque<std::wstring> names;
    for (int i = 0; i < 10; ++i) {
        names.push_back(L"n" + std::to_wstring(i) + L".jpg");
        dir.AddFile(names.back());
    }
    return names;
}

Paths PathsOf(const TempFolder& dir, std::initializer_list<int> indices) {
    Paths paths;
    for (int i : indices) paths.push_back(dir / (L"n" + std::to_wstring(i) + L".jpg"));
    return paths;
}

class SystemCacheTest : public ::testing::Test {
protected:
    void SetUp() override { m_preload = CAppConfig::Instance()->preloadEnable; }
    void TearDown() override {
        CAppConfig::Instance()->preloadEnable = m_preload;
        CCurrentPicture::Instance()->Close();
    }

private:
    int32_t m_preload = 1;
};

TEST_F(SystemCacheTest, UpdateQueuesTheNeighboursInTheDirectionOfTravel) {
    TempFolder dir;
    const auto names = TenJpegs(dir);
    CSystemCache cache;  // not started: everything stays queued
    cache.Update(dir.Path(), 4, names);
    EXPECT_EQ(cache.QueuedPaths(), PathsOf(dir, {5, 3, 6, 7}));
    cache.SetDirection(kDirectionForward);
    cache.Update(dir.Path(), 4, names);
    EXPECT_EQ(cache.QueuedPaths(), PathsOf(dir, {5, 6, 7})) << "pending warm-ups are replaced";
    cache.SetDirection(kDirectionBackward);
    cache.Update(dir.Path(), 4, names);
    EXPECT_EQ(cache.QueuedPaths(), PathsOf(dir, {3, 2, 1}));
    cache.Update(dir.Path(), 1, names);
    EXPECT_EQ(cache.QueuedPaths(), PathsOf(dir, {0}));
    EXPECT_EQ(cache.RunningCount(), 0u);

    // Another folder forgets the direction.
    TempFolder other;
    const auto otherNames = TenJpegs(other);
    cache.Update(other.Path(), 9, otherNames);
    EXPECT_EQ(cache.Direction(), kDirectionNone);
    EXPECT_EQ(cache.QueuedPaths(), PathsOf(other, {8}));

    // Only bmp, jpeg, gif, tiff and png are warmed up.
    const std::deque<std::wstring> mixed = {L"a.psd", L"b.cr2", L"c.webp", L"d.png", L"e.ico",
                                            L"f.tif", L"g.bmp"};
    cache.Update(L"C:\\m", 3, mixed);
    EXPECT_EQ(cache.QueuedPaths(), Paths({L"C:\\m\\f.tif", L"C:\\m\\g.bmp"}));
}

TEST_F(SystemCacheTest, WarmUpsRunOnlyOnceStartedAndEnabledAndOncePerFolderVisit) {
    TempFolder dir, other;
    const auto names = TenJpegs(dir);
    const auto otherNames = TenJpegs(other);
    FakeThumbnailCache fake({});
    CSystemCache cache;
    CAppConfig::Instance()->preloadEnable = 1;
    cache.Update(dir.Path(), 4, names);
    driver::PumpFor(150);
    EXPECT_EQ(cache.QueuedPaths().size(), 4u) << "nothing runs before the first picture is shown";
    EXPECT_TRUE(fake.Requests().empty());

    CAppConfig::Instance()->preloadEnable = 0;
    cache.Start();
    cache.Update(dir.Path(), 4, names);
    driver::PumpFor(150);
    EXPECT_EQ(cache.QueuedPaths().size(), 4u) << "preloading is off";
    EXPECT_TRUE(cache.Requested().empty());

    CAppConfig::Instance()->preloadEnable = 1;
    cache.Update(dir.Path(), 4, names);
    ASSERT_TRUE(PumpUntil([&] { return cache.PendingCount() == 0 && cache.RunningCount() == 0; }));
    EXPECT_EQ(cache.Requested(),
              std::set<std::wstring>({L"n5.jpg", L"n3.jpg", L"n6.jpg", L"n7.jpg"}));
    // Each warm-up asks for the standard size and lets the shell extract it.
    const auto requests = fake.Requests();
    ASSERT_EQ(requests.size(), 4u);
    for (const auto& r : requests)
        EXPECT_EQ(r, (ThumbnailRequest{CShellThumbnail::StandardSize(), WTS_EXTRACT}));

    cache.SetDirection(kDirectionForward);
    cache.Update(dir.Path(), 5, names);
    EXPECT_EQ(cache.QueuedPaths().size() + cache.RunningCount(), 1u) << "only n8 is new";
    ASSERT_TRUE(PumpUntil([&] { return cache.PendingCount() == 0 && cache.RunningCount() == 0; }));

    // Away and back: the same neighbours are warmed up again.
    cache.Update(other.Path(), 0, otherNames);
    ASSERT_TRUE(PumpUntil([&] { return cache.PendingCount() == 0 && cache.RunningCount() == 0; }));
    cache.Update(dir.Path(), 4, names);
    EXPECT_EQ(cache.QueuedPaths().size() + cache.RunningCount(), 4u);
}

TEST_F(SystemCacheTest, UpdateLetsTheRunningWarmUpFinish) {
    TempFolder dir;
    const auto names = TenJpegs(dir);
    FakeThumbnailCache fake({});
    CAppConfig::Instance()->preloadEnable = 1;
    CSystemCache cache;
    cache.Start();
    cache.Update(dir.Path(), 4, names);  // n5 is running now
    cache.Update(dir.Path(), 4, names);  // the pending ones are queued again, n5 is not
    EXPECT_EQ(cache.QueuedPaths(), PathsOf(dir, {3, 6, 7}));
    ASSERT_TRUE(PumpUntil([&] { return cache.PendingCount() == 0 && cache.RunningCount() == 0; }));
    // n5 was taken as requested when it started, so it must really have asked the shell.
    EXPECT_EQ(fake.Requests().size(), 4u);
}

TEST_F(SystemCacheTest, WarmedUpNotificationReachesTheWaitingWindow) {
    TempFolder dir;
    const auto names = TenJpegs(dir);
    CAppConfig::Instance()->preloadEnable = 1;
    NotifyCounter notify;
    CSystemCache cache;
    cache.Start();
    cache.Update(dir.Path(), 4, names);  // n5 starts at once, the others wait
    ASSERT_EQ(cache.RunningPaths(), PathsOf(dir, {5}));

    CCurrentPicture::Instance()->Open(dir / L"n6.jpg");
    EXPECT_FALSE(cache.NotifyWhenWarmedUp(notify.GetSafeHwnd())) << "n6 is only queued";
    CCurrentPicture::Instance()->Open(dir / L"n5.jpg");
    ASSERT_EQ(CCurrentPicture::Instance()->Path(), dir / L"n5.jpg");
    EXPECT_TRUE(cache.NotifyWhenWarmedUp(notify.GetSafeHwnd()));

    ASSERT_TRUE(PumpUntil([&] { return cache.PendingCount() == 0 && cache.RunningCount() == 0; }));
    EXPECT_EQ(notify.warmedUp, 1) << "only the awaited picture's warm-up tells";
}

class QuickPreviewTest : public SystemCacheTest {
protected:
    static std::wstring Fixture(const wchar_t* name) {
        return TestBinFile((std::wstring(L"imaging_fixtures\\") + name).c_str());
    }
    static SIZE SizeOf(HBITMAP bitmap) {
        BITMAP bm = {};
        ::GetObjectW(bitmap, sizeof(bm), &bm);
        return SIZE{bm.bmWidth, bm.bmHeight};
    }
};

TEST_F(QuickPreviewTest, FromTheThumbnailCache) {
    CCurrentPicture::Instance()->Open(Fixture(L"plain.jpg"));
    ASSERT_TRUE(CCurrentPicture::Instance()->Loader());
    const UINT standard = CShellThumbnail::StandardSize();
    const int inCache = WTS_INCACHEONLY, scaled = WTS_INCACHEONLY | WTS_SCALETOREQUESTEDSIZE;
    struct Case {
        const char* what;
        FakeCacheBehaviour behaviour;
        int width, height;
        std::vector<ThumbnailRequest> requests;
        bool result, drawn;
    };
    const Case cases[] = {
        {"large request, cache empty: fast extraction drawn but not good enough",
         {false, true, false, 0}, 2000, 1500,
         {{2000, scaled}, {256, WTS_FASTEXTRACT}}, false, true},
        {"small request, in cache", {true, true, false, 0}, 800, 600, {{standard, inCache}},
         true, true},
        {"nothing anywhere", {false, false, true, 0}, 800, 600,
         {{standard, inCache}, {256, WTS_FASTEXTRACT}}, false, false},
        {"only one-pixel placeholders", {true, true, true, 1}, 800, 600,
         {{standard, inCache}, {256, WTS_FASTEXTRACT}}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeThumbnailCache fake(c.behaviour);
        CSystemCache cache;
        HBITMAP bitmap = nullptr;
        EXPECT_EQ(cache.CreateQuickPreview(c.width, c.height, &bitmap), c.result);
        EXPECT_EQ(fake.Requests(), c.requests);
        ASSERT_EQ(bitmap != nullptr, c.drawn);
        if (bitmap) {
            const SIZE size = SizeOf(bitmap);
            EXPECT_EQ(size.cx, c.width);
            EXPECT_EQ(size.cy, c.height);
            ::DeleteObject(bitmap);
        }
    }
}

TEST_F(QuickPreviewTest, ThumbnailRequestModes) {
    FakeThumbnailCache fake({false, false, true, 0});
    const std::wstring path = Fixture(L"plain.jpg");
    CShellThumbnail exact;
    EXPECT_TRUE(exact.Fetch(path, 640, CShellThumbnail::kModeExactSize));
    EXPECT_NE(exact.Bitmap(), nullptr);
    EXPECT_EQ(exact.Quality(), 0);
    CShellThumbnail warm;
    EXPECT_TRUE(warm.Fetch(path, 0, CShellThumbnail::kModeWarmUp));
    EXPECT_EQ(fake.Requests(),
              std::vector<ThumbnailRequest>({{640, WTS_SCALETOREQUESTEDSIZE},
                                             {CShellThumbnail::StandardSize(), WTS_EXTRACT}}));
    CShellThumbnail missing;
    EXPECT_FALSE(missing.Fetch(Fixture(L"no_such_file.jpg"), 640, CShellThumbnail::kModeExactSize));
    EXPECT_EQ(missing.Bitmap(), nullptr);
}

TEST_F(QuickPreviewTest, RecordedPreviewIsUsedWithoutAskingTheCache) {
    FakeThumbnailCache fake({true, true, true, 0});
    CCurrentPicture* picture = CCurrentPicture::Instance();
    picture->Open(Fixture(L"plain.jpg"));
    HDC screen = ::GetDC(nullptr);
    HBITMAP shown = ::CreateCompatibleBitmap(screen, 640, 480);
    ::ReleaseDC(nullptr, screen);
    picture->RecordPreview(shown);
    ::DeleteObject(shown);
    CSystemCache cache;
    for (int width : {600, 800}) {
        HBITMAP bitmap = nullptr;
        EXPECT_EQ(cache.CreateQuickPreview(width, width * 3 / 4, &bitmap), width <= 640) << width;
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(SizeOf(bitmap).cx, width);
        ::DeleteObject(bitmap);
    }
    // Shown once without a bitmap worth keeping: no preview at all.
    picture->Open(Fixture(L"plain.jpg"));
    picture->RecordPreview(nullptr);
    HBITMAP bitmap = nullptr;
    EXPECT_FALSE(cache.CreateQuickPreview(600, 450, &bitmap));
    EXPECT_EQ(bitmap, nullptr);
    EXPECT_TRUE(fake.Requests().empty());

    // Types the thumbnail cache is not asked about.
    picture->Open(Fixture(L"icon.ico"));
    EXPECT_FALSE(cache.CreateQuickPreview(600, 450, &bitmap));
    EXPECT_EQ(bitmap, nullptr);
    EXPECT_TRUE(fake.Requests().empty());
}

TEST_F(QuickPreviewTest, SystemCacheMissingFallsThrough) {
    // The real shell here; without its thumbnail cache every request ends without a bitmap.
    CCurrentPicture::Instance()->Open(Fixture(L"exif_o6.jpg"));
    CSystemCache cache;
    HDC screen = ::GetDC(nullptr);
    HBITMAP mine = ::CreateCompatibleBitmap(screen, 8, 8);
    ::ReleaseDC(nullptr, screen);
    HBITMAP bitmap = mine;
    const bool result = cache.CreateQuickPreview(2000, 1500, &bitmap);
    CShellThumbnail warm;
    const bool warmed = warm.Fetch(Fixture(L"exif_o6.jpg"), 0, CShellThumbnail::kModeWarmUp);
    if (IsRunningUnderWine()) {
        EXPECT_FALSE(result);
        EXPECT_EQ(bitmap, mine) << "nothing drawn";
        EXPECT_FALSE(warmed);
        EXPECT_EQ(warm.Bitmap(), nullptr);
    }
    if (bitmap != mine) ::DeleteObject(bitmap);
    ::DeleteObject(mine);

    // Warm-ups through the queue still finish and still tell.
    TempFolder dir;
    const auto names = TenJpegs(dir);
    CAppConfig::Instance()->preloadEnable = 1;
    cache.Start();
    cache.Update(dir.Path(), 0, names);
    NotifyCounter notify;
    CCurrentPicture::Instance()->Open(dir / L"n1.jpg");
    EXPECT_TRUE(cache.NotifyWhenWarmedUp(notify.GetSafeHwnd()));
    ASSERT_TRUE(PumpUntil([&] { return cache.PendingCount() == 0 && cache.RunningCount() == 0; }));
    EXPECT_EQ(notify.warmedUp, 1);
}

}  // namespace
