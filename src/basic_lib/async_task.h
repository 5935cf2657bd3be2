#pragma once
// Background work on the system thread pool with completion on the queue's own thread.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>

#include "message_window.h"
#include "win_handle.h"

class CAsyncTask {
public:
    CAsyncTask();
    virtual ~CAsyncTask();
    CAsyncTask(const CAsyncTask&) = delete;
    CAsyncTask& operator=(const CAsyncTask&) = delete;

    virtual void Run() = 0;
    virtual void OnFinished() {}
    virtual void Cancel() { m_keepRunning = 0; }

    int32_t TaskId() const { return m_taskId; }
    bool KeepRunning() const { return m_keepRunning != 0; }
    const volatile int32_t* KeepRunningFlag() const { return &m_keepRunning; }

private:
    friend class CAsyncTaskQueue;
    static void CALLBACK WorkCallback(PTP_CALLBACK_INSTANCE, void* context, PTP_WORK);

    HWND m_queueWindow = nullptr;
    PTP_WORK m_work = nullptr;
    int32_t m_taskId;
    volatile int32_t m_keepRunning = 1;
    UniqueHandle m_done;  // set when the worker callback has fully returned from its send
};

// Sent by a worker when Run returned: wParam task id, lParam the sending thread's id.
const UINT kMsgTaskFinished = 0x8081;
// Sent by a worker to have the queue's thread send a message for it: wParam a ForwardRecord*.
const UINT kMsgForward = 0x8082;

struct ForwardRecord {
    HWND target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// From a worker: has the queue's thread send message to target and waits for it. Only records
// made here are honoured, since any process can send the queue window a pointer.
LRESULT ForwardThroughQueue(HWND queue, HWND target, UINT message, WPARAM wParam, LPARAM lParam);

class CAsyncTaskQueue : public FCMessageWindow {
public:
    CAsyncTaskQueue();
    ~CAsyncTaskQueue() override;

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual int MaxRunning() { return 1; }
    virtual void OnTaskStarting(CAsyncTask*) {}

    void Add(const std::shared_ptr<CAsyncTask>& task);
    void CancelPending();
    void WaitAll();

    size_t RunningCount() const { return m_running.size(); }
    // Whether task is one of this queue's running tasks (a pointer that arrived in a message
    // is trusted only then).
    bool IsRunning(const void* task) const;
    size_t PendingCount() const { return m_pending.size(); }

protected:
    void Pump();
    // Drops the tasks not yet started; running ones go on.
    void DiscardPending() { m_pending.clear(); }
    const std::map<int32_t, std::shared_ptr<CAsyncTask>>& RunningTasks() const { return m_running; }
    const std::deque<std::shared_ptr<CAsyncTask>>& PendingTasks() const { return m_pending; }

private:
    void WaitForTask(CAsyncTask& task, bool serveSentMessages);
    void OnTaskFinished(int32_t id, DWORD senderThread);

    std::map<int32_t, std::shared_ptr<CAsyncTask>> m_running;
    std::deque<std::shared_ptr<CAsyncTask>> m_pending;
};
