// Background tasks: ordering, cancelling, waiting and destruction of the queue.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "async_task.h"
#include "auto_init.h"

namespace {

struct Journal {
    std::mutex lock;
    std::vector<std::string> events;
    void Add(const std::string& e) {
        std::lock_guard<std::mutex> g(lock);
        events.push_back(e);
    }
    std::vector<std::string> Get() {
        std::lock_guard<std::mutex> g(lock);
        return events;
    }
};

class RecordingTask : public CAsyncTask {
public:
    RecordingTask(Journal& j, std::string name, int workMs = 20, HANDLE gate = nullptr)
        : m_journal(j), m_name(std::move(name)), m_workMs(workMs), m_gate(gate) {}
    ~RecordingTask() override { m_journal.Add("release " + m_name); }
    void Run() override {
        m_journal.Add("run " + m_name);
        if (m_gate) ::WaitForSingleObject(m_gate, 5000);
        // Polls the flag like a long decoder would.
        for (int i = 0; i < m_workMs && KeepRunning(); ++i) ::Sleep(1);
        sawCancel = !KeepRunning();
        runThread = ::GetCurrentThreadId();
        m_journal.Add("done " + m_name);
    }
    void OnFinished() override {
        finishedThread = ::GetCurrentThreadId();
        m_journal.Add("finished " + m_name);
    }
    std::atomic<bool> sawCancel{false};
    std::atomic<DWORD> runThread{0};
    DWORD finishedThread = 0;

private:
    Journal& m_journal;
    std::string m_name;
    int m_workMs;
    HANDLE m_gate;
};

// Runs the message loop until pred holds or the time is up.
template <class Pred>
bool PumpUntil(Pred pred, int timeoutMs = 5000) {
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (pred()) return true;
        if (::GetTickCount() - start > DWORD(timeoutMs)) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool Contains(const std::vector<std::string>& v, const std::string& s) {
    for (const auto& e : v)
        if (e == s) return true;
    return false;
}

TEST(AsyncTaskTest, IdsIncrease) {
    Journal j;
    RecordingTask a(j, "a"), b(j, "b");
    EXPECT_EQ(b.TaskId(), a.TaskId() + 1);
}

TEST(AsyncTaskTest, LimitOneRunsInOrderAndFinishesOnTheQueueThread) {
    FCAutoInitializeCOM com;
    Journal j;
    CAsyncTaskQueue queue;
    ASSERT_NE(queue.GetSafeHwnd(), nullptr);
    std::vector<std::shared_ptr<RecordingTask>> tasks;
    for (const char* n : {"1", "2", "3"}) {
        tasks.push_back(std::make_shared<RecordingTask>(j, n));
        queue.Add(tasks.back());
    }
    EXPECT_EQ(queue.RunningCount(), 1u);
    EXPECT_EQ(queue.PendingCount(), 2u);
    ASSERT_TRUE(PumpUntil([&] { return queue.RunningCount() == 0 && queue.PendingCount() == 0; }));
    const std::vector<std::string> expected = {"run 1", "done 1", "finished 1", "run 2", "done 2",
                                               "finished 2", "run 3", "done 3", "finished 3"};
    std::vector<std::string> got;
    for (const auto& e : j.Get())
        if (e.rfind("release", 0) != 0) got.push_back(e);
    EXPECT_EQ(got, expected);
    for (auto& t : tasks) {
        EXPECT_EQ(t->finishedThread, ::GetCurrentThreadId());
        EXPECT_NE(t->runThread.load(), ::GetCurrentThreadId());
    }
}

TEST(AsyncTaskTest, CancelPendingDropsWaitingTasksAndStopsTheRunningOne) {
    FCAutoInitializeCOM com;
    Journal j;
    CAsyncTaskQueue queue;
    auto running = std::make_shared<RecordingTask>(j, "r", 3000);
    queue.Add(running);
    queue.Add(std::make_shared<RecordingTask>(j, "p1"));
    queue.Add(std::make_shared<RecordingTask>(j, "p2"));
    ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "run r"); }));
    queue.CancelPending();
    EXPECT_EQ(queue.PendingCount(), 0u);
    // The pending tasks were released without running.
    EXPECT_TRUE(Contains(j.Get(), "release p1"));
    EXPECT_TRUE(Contains(j.Get(), "release p2"));
    ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "finished r"); }, 2500));
    EXPECT_TRUE(running->sawCancel);
    EXPECT_FALSE(Contains(j.Get(), "run p1"));
    EXPECT_FALSE(Contains(j.Get(), "run p2"));
}

TEST(AsyncTaskTest, WaitAllReturnsAfterRunAndFinishesFromTheLoop) {
    FCAutoInitializeCOM com;
    Journal j;
    CAsyncTaskQueue queue;
    auto task = std::make_shared<RecordingTask>(j, "w", 200);
    queue.Add(task);
    ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "run w"); }));
    queue.WaitAll();
    EXPECT_TRUE(Contains(j.Get(), "done w"));
    EXPECT_FALSE(Contains(j.Get(), "finished w"));
    ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "finished w"); }));
    EXPECT_EQ(queue.RunningCount(), 0u);
    // The queue still works afterwards.
    queue.Add(std::make_shared<RecordingTask>(j, "after", 1));
    ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "finished after"); }));
}

TEST(AsyncTaskTest, WaitAllWhileTheWorkerIsSendingDoesNotHang) {
    FCAutoInitializeCOM com;
    Journal j;
    CAsyncTaskQueue queue;
    // The task ends at once and, as nothing pumps, its worker blocks in the completion send.
    auto task = std::make_shared<RecordingTask>(j, "s", 0);
    queue.Add(task);
    ::Sleep(100);
    queue.WaitAll();
    EXPECT_TRUE(Contains(j.Get(), "done s"));
    ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "finished s"); }));
}

TEST(AsyncTaskTest, DestroyingTheQueueWaitsButNeverFinishes) {
    FCAutoInitializeCOM com;
    Journal j;
    std::weak_ptr<RecordingTask> weak;
    {
        CAsyncTaskQueue queue;
        auto task = std::make_shared<RecordingTask>(j, "d", 150);
        weak = task;
        queue.Add(task);
        queue.Add(std::make_shared<RecordingTask>(j, "never"));
        task.reset();
        ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "run d"); }));
    }
    EXPECT_TRUE(Contains(j.Get(), "done d"));
    EXPECT_TRUE(weak.expired());
    PumpUntil([] { return false; }, 100);
    EXPECT_FALSE(Contains(j.Get(), "finished d"));
    EXPECT_FALSE(Contains(j.Get(), "run never"));
}

class ThrowingTask : public CAsyncTask {
public:
    void Run() override { throw std::runtime_error("decoder failed"); }
    void OnFinished() override { finished = true; }
    bool finished = false;
};

TEST(AsyncTaskTest, AThrowingRunStillCompletes) {
    FCAutoInitializeCOM com;
    Journal j;
    CAsyncTaskQueue queue;
    auto bad = std::make_shared<ThrowingTask>();
    queue.Add(bad);
    queue.Add(std::make_shared<RecordingTask>(j, "next", 1));
    ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "finished next"); }));
    EXPECT_TRUE(bad->finished);
}

class WideQueue : public CAsyncTaskQueue {
public:
    int MaxRunning() override { return 2; }
    void OnTaskStarting(CAsyncTask* task) override { started.push_back(task->TaskId()); }
    std::vector<int32_t> started;
};

TEST(AsyncTaskTest, AHigherLimitRunsTasksSideBySide) {
    FCAutoInitializeCOM com;
    Journal j;
    WideQueue queue;
    UniqueHandle gate(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    auto a = std::make_shared<RecordingTask>(j, "a", 0, gate.get());
    auto b = std::make_shared<RecordingTask>(j, "b", 0, gate.get());
    auto c = std::make_shared<RecordingTask>(j, "c", 0);
    queue.Add(a);
    queue.Add(b);
    queue.Add(c);
    EXPECT_EQ(queue.RunningCount(), 2u);
    EXPECT_EQ(queue.PendingCount(), 1u);
    EXPECT_EQ(queue.started, (std::vector<int32_t>{a->TaskId(), b->TaskId()}));
    // Both gated tasks are inside Run at the same time.
    ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "run a") && Contains(j.Get(), "run b"); }));
    ::SetEvent(gate.get());
    ASSERT_TRUE(PumpUntil([&] { return Contains(j.Get(), "finished c"); }));
    EXPECT_EQ(queue.started.size(), 3u);
}

TEST(AsyncTaskTest, UnknownCompletionOnlyPumpsAndForwardSends) {
    FCAutoInitializeCOM com;
    Journal j;
    CAsyncTaskQueue queue;
    EXPECT_EQ(::SendMessageW(queue.GetSafeHwnd(), kMsgTaskFinished, 999999, 0), 0);
    // Forward: the queue's thread sends the message for the worker.
    class Target : public FCMessageWindow {
    public:
        LRESULT OnMessage(UINT msg, WPARAM w, LPARAM l) override {
            if (msg == WM_APP + 7) {
                got = int(w + l);
                thread = ::GetCurrentThreadId();
                return 0;
            }
            return FCMessageWindow::OnMessage(msg, w, l);
        }
        int got = 0;
        DWORD thread = 0;
    } target;
    ASSERT_TRUE(target.Create());
    struct Args {
        HWND queue;
        ForwardRecord record;
    } args = {queue.GetSafeHwnd(), {target.GetSafeHwnd(), WM_APP + 7, 40, 2}};
    HANDLE t = ::CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto* a = static_cast<Args*>(p);
            ForwardThroughQueue(a->queue, a->record.target, a->record.message, a->record.wParam,
                                a->record.lParam);
            return 0;
        },
        &args, 0, nullptr);
    ASSERT_NE(t, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return target.got != 0; }));
    EXPECT_EQ(target.got, 42);
    EXPECT_EQ(target.thread, ::GetCurrentThreadId());
    ::WaitForSingleObject(t, 5000);
    ::CloseHandle(t);
    // A record that did not come through the forwarding call is not trusted.
    target.got = 0;
    ::SendMessageW(queue.GetSafeHwnd(), kMsgForward, WPARAM(&args.record), 0);
    ::SendMessageW(queue.GetSafeHwnd(), kMsgForward, WPARAM(0x1234), 0);
    EXPECT_EQ(target.got, 0);
}

}  // namespace
