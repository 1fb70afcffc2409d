#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "support/Runnable.h"

// One background thread, embedded in the object that owns it. At most one
// thread is ever started per record; the owner's stop flag asks it to end.
// Start, Stop and Started may be called from any thread, the worker's own
// included: the thread handle is only touched under the record's lock.
class CWorkerThread {
public:
    CWorkerThread() = default;
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts runnable->Run(this, 0) on a new thread unless one was started
    // already. A thread that cannot be created is not reported: the owner
    // simply goes on without a worker.
    void Start(Runnable* runnable);

    // Sets the stop flag, then waits for the thread, if any, to end. Called
    // from the worker itself it only sets the flag and returns at once
    // (waiting would never end): the thread then still counts as started
    // until a Stop from another thread joins it.
    void Stop(std::atomic<bool>& stopFlag);

    bool Started() const;

    std::thread m_handle;            // not joinable while no thread runs; under m_handleLock
    Runnable* m_runnable = nullptr;
    std::uint32_t m_reserved = 0;
    std::int32_t m_param = 0;

private:
    mutable std::mutex m_handleLock;
};
