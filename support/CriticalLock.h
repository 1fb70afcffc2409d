#pragma once

#include <atomic>
#include <mutex>

// A re-entrant lock with a ready flag: entering and leaving are skipped once
// the lock has been torn down, so late callers during destruction do no harm.
class CCriticalLock {
public:
    CCriticalLock();
    ~CCriticalLock();
    CCriticalLock(const CCriticalLock&) = delete;
    CCriticalLock& operator=(const CCriticalLock&) = delete;

    void Enter();
    void Leave();

private:
    std::atomic<bool> m_ready;
    std::recursive_mutex m_section;
};

// Holds a CCriticalLock for the life of a scope, exceptions included.
class CCriticalGuard {
public:
    explicit CCriticalGuard(CCriticalLock* lock) : m_lock(lock) { m_lock->Enter(); }
    ~CCriticalGuard() { m_lock->Leave(); }
    CCriticalGuard(const CCriticalGuard&) = delete;
    CCriticalGuard& operator=(const CCriticalGuard&) = delete;

private:
    CCriticalLock* m_lock;
};
