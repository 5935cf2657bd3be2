#include "ui_event.h"

#include <atomic>
#include <memory>
#include <set>

namespace {
std::unique_ptr<std::set<CUIEventObserver*>> g_observers;
}

int CUIEventParam::NextEventTypeId() {
    static std::atomic<int> counter{0};
    return counter++;
}

CUIEventObserver::CUIEventObserver() {
    if (!g_observers) g_observers = std::make_unique<std::set<CUIEventObserver*>>();
    g_observers->insert(this);
}

CUIEventObserver::~CUIEventObserver() {
    if (!g_observers) return;
    g_observers->erase(this);
    if (g_observers->empty()) g_observers.reset();
}

void BroadcastUIEvent(const CUIEventParam& event) {
    if (!g_observers) return;
    // A copy, so an observer that goes away during the call does not break the walk.
    const std::set<CUIEventObserver*> observers = *g_observers;
    for (CUIEventObserver* o : observers)
        if (g_observers && g_observers->count(o)) o->OnUIEvent(event);
}
