#include "async_task.h"

#include <mutex>
#include <set>

#include <vector>

#include "auto_init.h"

namespace {
int32_t g_nextTaskId = 1;  // tasks are created on the user-interface thread only
}  // namespace

CAsyncTask::CAsyncTask() : m_taskId(g_nextTaskId++) {}

CAsyncTask::~CAsyncTask() {
    if (m_work) {
        ::WaitForThreadpoolWorkCallbacks(m_work, FALSE);
        ::CloseThreadpoolWork(m_work);
    }
}

void CALLBACK CAsyncTask::WorkCallback(PTP_CALLBACK_INSTANCE, void* context, PTP_WORK) {
    CAsyncTask* task = static_cast<CAsyncTask*>(context);
    {
        FCAutoInitializeCOM com;
        try {
            task->Run();
        } catch (...) {
            // A failed task still completes, so that the queue moves on.
        }
        ::SendMessageW(task->m_queueWindow, kMsgTaskFinished, WPARAM(task->m_taskId),
                       LPARAM(::GetCurrentThreadId()));
    }
    ::SetEvent(task->m_done.get());
}

CAsyncTaskQueue::CAsyncTaskQueue() { Create(nullptr); }

CAsyncTaskQueue::~CAsyncTaskQueue() {
    WaitAll();
    // Completions posted by WaitAll die with the window: those tasks get no OnFinished.
    DestroyWindow();
    m_pending.clear();
    m_running.clear();
}

void CAsyncTaskQueue::Add(const std::shared_ptr<CAsyncTask>& task) {
    if (!task) return;
    m_pending.push_back(task);
    Pump();
}

void CAsyncTaskQueue::Pump() {
    while (int(m_running.size()) < MaxRunning() && !m_pending.empty()) {
        std::shared_ptr<CAsyncTask> task = m_pending.front();
        task->m_queueWindow = GetSafeHwnd();
        OnTaskStarting(task.get());
        m_pending.pop_front();
        task->m_done.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        task->m_work = ::CreateThreadpoolWork(&CAsyncTask::WorkCallback, task.get(), nullptr);
        if (!task->m_work || !task->m_done) {
            // Without a work item the task cannot run; it is dropped like a cancelled one.
            continue;
        }
        m_running[task->m_taskId] = task;
        ::SubmitThreadpoolWork(task->m_work);
    }
}

void CAsyncTaskQueue::WaitForTask(CAsyncTask& task, bool serveSentMessages) {
    if (!task.m_work) return;
    HANDLE done = task.m_done.get();
    if (serveSentMessages) {
        // A worker already inside its send to the destroyed window is answered instead of
        // blocking forever.
        while (done && ::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_SENDMESSAGE) ==
                           WAIT_OBJECT_0 + 1) {
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    ::WaitForThreadpoolWorkCallbacks(task.m_work, FALSE);
    ::CloseThreadpoolWork(task.m_work);
    task.m_work = nullptr;
}

namespace {
std::mutex g_forwardLock;
std::set<const ForwardRecord*> g_liveForwards;

bool IsLiveForwardRecord(const ForwardRecord* record) {
    std::lock_guard<std::mutex> lock(g_forwardLock);
    return g_liveForwards.count(record) != 0;
}
}  // namespace

LRESULT ForwardThroughQueue(HWND queue, HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    const ForwardRecord record = {target, message, wParam, lParam};
    {
        std::lock_guard<std::mutex> lock(g_forwardLock);
        g_liveForwards.insert(&record);
    }
    const LRESULT result =
        ::SendMessageW(queue, kMsgForward, reinterpret_cast<WPARAM>(&record), 0);
    std::lock_guard<std::mutex> lock(g_forwardLock);
    g_liveForwards.erase(&record);
    return result;
}

bool CAsyncTaskQueue::IsRunning(const void* task) const {
    for (const auto& entry : m_running)
        if (entry.second.get() == task) return true;
    return false;
}

void CAsyncTaskQueue::OnTaskFinished(int32_t id, DWORD senderThread) {
    // Let the worker go before the completion work starts.
    if (senderThread != ::GetCurrentThreadId() && ::InSendMessage()) ::ReplyMessage(0);
    auto it = m_running.find(id);
    if (it != m_running.end()) {
        std::shared_ptr<CAsyncTask> task = it->second;
        task->OnFinished();
        WaitForTask(*task, false);
        m_running.erase(id);
    }
    Pump();
}

LRESULT CAsyncTaskQueue::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgTaskFinished) {
        OnTaskFinished(int32_t(wParam), DWORD(lParam));
        return 0;
    }
    if (msg == kMsgForward) {
        const ForwardRecord* r = reinterpret_cast<const ForwardRecord*>(wParam);
        if (r && IsLiveForwardRecord(r)) ::SendMessageW(r->target, r->message, r->wParam, r->lParam);
        return 0;
    }
    return FCMessageWindow::OnMessage(msg, wParam, lParam);
}

void CAsyncTaskQueue::CancelPending() {
    DiscardPending();
    for (auto& entry : m_running) entry.second->Cancel();
}

void CAsyncTaskQueue::WaitAll() {
    if (m_running.empty()) return;
    DestroyWindow();
    std::vector<int32_t> ids;
    std::vector<std::shared_ptr<CAsyncTask>> tasks;
    for (auto& entry : m_running) {
        ids.push_back(entry.first);
        tasks.push_back(entry.second);
    }
    for (auto& task : tasks) WaitForTask(*task, true);
    Create(nullptr);
    // The map is ordered, so the completions run in ascending task id.
    for (int32_t id : ids)
        ::PostMessageW(GetSafeHwnd(), kMsgTaskFinished, WPARAM(id), LPARAM(::GetCurrentThreadId()));
}
