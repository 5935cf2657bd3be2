#include "timer_notify.h"

#include <map>
#include <memory>

namespace {
// Exists while any timer object does; user-interface thread only.
std::unique_ptr<std::map<UINT_PTR, FCTimerNotify*>> g_timers;
int g_liveTimers = 0;
}  // namespace

FCTimerNotify::FCTimerNotify() {
    if (g_liveTimers++ == 0) g_timers = std::make_unique<std::map<UINT_PTR, FCTimerNotify*>>();
}

FCTimerNotify::~FCTimerNotify() {
    StopTimer();
    if (--g_liveTimers == 0) g_timers.reset();
}

void FCTimerNotify::StartTimer(UINT milliseconds) {
    StopTimer();
    m_timerId = ::SetTimer(nullptr, 0, milliseconds, &FCTimerNotify::TimerProc);
    if (m_timerId && g_timers) (*g_timers)[m_timerId] = this;
}

void FCTimerNotify::StopTimer() {
    if (!m_timerId) return;
    if (g_timers) {
        auto it = g_timers->find(m_timerId);
        if (it != g_timers->end() && it->second == this) g_timers->erase(it);
    }
    ::KillTimer(nullptr, m_timerId);
    m_timerId = 0;
}

void CALLBACK FCTimerNotify::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    if (!g_timers) return;
    auto it = g_timers->find(id);
    if (it != g_timers->end()) it->second->OnTimer();
}
