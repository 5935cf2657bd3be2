#pragma once
#include <mutex>

namespace _BaseModule {

// The process's lock type; recursive so a holder may call back into its own object.
class CCriticalSection {
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

class CAutoLocker {
public:
    explicit CAutoLocker(CCriticalSection& cs) : m_cs(cs) { m_cs.Lock(); }
    ~CAutoLocker() { m_cs.Unlock(); }
    CAutoLocker(const CAutoLocker&) = delete;
    CAutoLocker& operator=(const CAutoLocker&) = delete;

private:
    CCriticalSection& m_cs;
};

}  // namespace _BaseModule
