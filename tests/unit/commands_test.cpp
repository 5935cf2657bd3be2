#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <set>
#include <vector>

#include "file_dialogs.h"
#include "save_as_name.h"
#include "serial_job_runner.h"

namespace {

TEST(SaveAsNameTest, FirstFreeNumberUpToNinetyNine) {
    std::set<std::wstring> files = {L"C:\\p\\a(1).jpg"};
    auto exists = [&](const std::wstring& p) { return files.count(p) > 0; };
    EXPECT_EQ(SuggestSaveAsName(L"C:\\p\\a.png", exists), L"C:\\p\\a(2).jpg");
    EXPECT_EQ(SuggestSaveAsName(L"C:\\p\\b.jpg", exists), L"C:\\p\\b(1).jpg");
    EXPECT_EQ(SuggestSaveAsName(L"C:\\p.d\\noext", exists), L"C:\\p.d\\noext(1).jpg");
    for (int n = 1; n <= 99; ++n) files.insert(L"C:\\p\\a(" + std::to_wstring(n) + L").jpg");
    EXPECT_EQ(SuggestSaveAsName(L"C:\\p\\a.png", exists), L"C:\\p\\a(99).jpg");
}

TEST(FileDialogsTest, FilterTextAndSaveExtensions) {
    using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;
    EXPECT_EQ(ParseFilterText(L"All (*.*)|*.bmp;*.jpg||"), (Pairs{{L"All (*.*)", L"*.bmp;*.jpg"}}));
    EXPECT_EQ(ParseFilterText(L"JPEG|*.jpg|PNG|*.png||"),
              (Pairs{{L"JPEG", L"*.jpg"}, {L"PNG", L"*.png"}}));
    EXPECT_TRUE(ParseFilterText(L"").empty());
    EXPECT_TRUE(ParseFilterText(L"odd|").empty());
    EXPECT_EQ(ParseFilterText(L"a|b|c"), (Pairs{{L"a", L"b"}}));
    const wchar_t* expected[] = {L".jpg", L".jpg", L".png", L".bmp", L".gif", L".tiff", L".jpg"};
    for (UINT i = 0; i <= 6; ++i) EXPECT_STREQ(SaveExtensionForIndex(i), expected[i]) << i;
}

TEST(SerialJobRunnerTest, RunsInOrderOneAtATime) {
    CSerialJobRunner runner;
    std::vector<int> order;
    std::atomic<int> concurrent{0}, worst{0};
    for (int i = 0; i < 20; ++i) {
        runner.Queue([&, i] {
            const int now = ++concurrent;
            if (now > worst) worst = now;
            ::Sleep(1);
            order.push_back(i);
            --concurrent;
        });
    }
    for (int i = 0; i < 500 && runner.Busy(); ++i) ::Sleep(10);
    EXPECT_FALSE(runner.Busy());
    ASSERT_EQ(order.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(order[size_t(i)], i);
    EXPECT_EQ(worst.load(), 1);
    // It starts again after going idle.
    runner.Queue([&] { order.push_back(99); });
    for (int i = 0; i < 500 && runner.Busy(); ++i) ::Sleep(10);
    EXPECT_EQ(order.back(), 99);
}

TEST(SerialJobRunnerTest, StopDropsQueuedJobsAndTimesOut) {
    auto runner = std::make_unique<CSerialJobRunner>();
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE started = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> ran{0};
    runner->Queue([&] {
        ::SetEvent(started);
        ::WaitForSingleObject(release, 5000);
        ++ran;
    });
    for (int i = 0; i < 5; ++i) runner->Queue([&] { ran += 100; });
    ASSERT_EQ(::WaitForSingleObject(started, 5000), WAIT_OBJECT_0);
    EXPECT_FALSE(runner->Stop(50));  // the running job outlasts the wait
    EXPECT_FALSE(runner->Busy());
    runner.reset();                  // destroying a runner with a forgotten worker is safe
    ::SetEvent(release);
    for (int i = 0; i < 200 && ran.load() == 0; ++i) ::Sleep(10);
    ::Sleep(50);
    EXPECT_EQ(ran.load(), 1);        // the queued ones were dropped
    ::CloseHandle(release);
    ::CloseHandle(started);
}

}  // namespace
