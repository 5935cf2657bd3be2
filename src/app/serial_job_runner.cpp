#include "serial_job_runner.h"

CSerialJobRunner::CSerialJobRunner() : m_state(std::make_shared<State>()) {}

void CSerialJobRunner::Queue(std::function<void()> job) {
    State& s = *m_state;
    _BaseModule::CAutoLocker lock(s.lock);
    s.jobs.push_back(std::move(job));
    if (s.running) return;
    if (s.thread) ::CloseHandle(s.thread);
    auto start = std::make_unique<Start>(Start{m_state, s.generation});
    s.thread = ::CreateThread(nullptr, 0, &ThreadProc, start.get(), 0, &s.threadId);
    if (s.thread) {
        start.release();  // the worker owns it now
        s.running = true;
    } else {
        s.jobs.clear();
    }
}

bool CSerialJobRunner::Busy() const {
    _BaseModule::CAutoLocker lock(m_state->lock);
    return m_state->running;
}

DWORD WINAPI CSerialJobRunner::ThreadProc(void* param) {
    std::unique_ptr<Start> start(static_cast<Start*>(param));
    State& s = *start->state;
    for (;;) {
        std::function<void()> job;
        {
            _BaseModule::CAutoLocker lock(s.lock);
            if (s.generation != start->generation) return 0;  // forgotten by a stop
            if (s.jobs.empty()) {
                s.running = false;
                return 0;
            }
            job = std::move(s.jobs.front());
            s.jobs.pop_front();
        }
        try {
            job();
        } catch (...) {
        }
    }
}

bool CSerialJobRunner::Stop(DWORD timeoutMs) {
    State& s = *m_state;
    HANDLE wait = nullptr;
    {
        _BaseModule::CAutoLocker lock(s.lock);
        s.jobs.clear();
        if (!s.running || s.threadId == ::GetCurrentThreadId()) return true;
        ::DuplicateHandle(::GetCurrentProcess(), s.thread, ::GetCurrentProcess(), &wait,
                          SYNCHRONIZE, FALSE, 0);
    }
    const bool ended = wait && ::WaitForSingleObject(wait, timeoutMs) == WAIT_OBJECT_0;
    if (wait) ::CloseHandle(wait);
    if (!ended) {
        _BaseModule::CAutoLocker lock(s.lock);
        ++s.generation;
        s.running = false;
    }
    return ended;
}
