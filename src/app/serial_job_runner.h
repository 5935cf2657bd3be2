#pragma once
// Runs queued jobs one after another on a worker thread of its own.
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>

#include "critical_section.h"

class CSerialJobRunner {
public:
    CSerialJobRunner();
    ~CSerialJobRunner() { Stop(2000); }
    CSerialJobRunner(const CSerialJobRunner&) = delete;
    CSerialJobRunner& operator=(const CSerialJobRunner&) = delete;

    void Queue(std::function<void()> job);
    // Drops the queued jobs and waits for the running one; false after a time-out, when the
    // worker is forgotten (it finishes its job and ends without taking another).
    bool Stop(DWORD timeoutMs);
    bool Busy() const;

private:
    // Shared with the worker, so a forgotten worker never touches a destroyed runner.
    struct State {
        _BaseModule::CCriticalSection lock;
        std::deque<std::function<void()>> jobs;
        bool running = false;
        unsigned generation = 0;
        HANDLE thread = nullptr;
        DWORD threadId = 0;
        ~State() {
            if (thread) ::CloseHandle(thread);
        }
    };
    struct Start {
        std::shared_ptr<State> state;
        unsigned generation;
    };
    static DWORD WINAPI ThreadProc(void* start);

    std::shared_ptr<State> m_state;
};
