#pragma once
#include <atomic>
#include <memory>

#include "critical_section.h"

// Process-wide object made on first use under its own lock and destroyed explicitly.
// The pointer is tested again once the lock is held, so concurrent first uses build one object.
template <class T>
class CSingletonT {
public:
    static T* Instance() {
        T* p = Slot().load(std::memory_order_acquire);
        if (p) return p;
        _BaseModule::CAutoLocker lock(Lock());
        p = Slot().load(std::memory_order_relaxed);
        if (!p) {
            p = new T();
            Slot().store(p, std::memory_order_release);
        }
        return p;
    }

    static bool Exists() { return Slot().load(std::memory_order_acquire) != nullptr; }

    static void DestroyInstance() {
        _BaseModule::CAutoLocker lock(Lock());
        std::unique_ptr<T> owned(Slot().exchange(nullptr, std::memory_order_acq_rel));
    }

private:
    static std::atomic<T*>& Slot() {
        static std::atomic<T*> slot{nullptr};
        return slot;
    }
    static _BaseModule::CCriticalSection& Lock() {
        static _BaseModule::CCriticalSection cs;
        return cs;
    }
};
