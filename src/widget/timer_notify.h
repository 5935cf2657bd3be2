#pragma once
#include <windows.h>

// A window-less thread timer that calls back its owner on the user-interface thread.
class FCTimerNotify {
public:
    FCTimerNotify();
    virtual ~FCTimerNotify();
    FCTimerNotify(const FCTimerNotify&) = delete;
    FCTimerNotify& operator=(const FCTimerNotify&) = delete;

    virtual void OnTimer() = 0;
    void StartTimer(UINT milliseconds);
    void StopTimer();
    bool IsRunning() const { return m_timerId != 0; }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    UINT_PTR m_timerId = 0;
};
