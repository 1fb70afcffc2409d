#include "support/WorkerThread.h"

#include <system_error>

namespace {

int ThreadEntry(CWorkerThread* record)
{
    if (record->m_runnable != nullptr)
        record->m_runnable->Run(record, record->m_param);
    return 0;
}

}  // namespace

void CWorkerThread::Start(Runnable* runnable)
{
    // Held while the thread is made, so that a worker that calls Stop at
    // once finds its handle in place.
    std::lock_guard<std::mutex> guard(m_handleLock);
    if (m_handle.joinable())
        return;
    m_runnable = runnable;
    m_param = 0;
    try {
        m_handle = std::thread(ThreadEntry, this);
    } catch (const std::system_error&) {
        // No thread: the record stays empty and the owner works without one.
    }
}

void CWorkerThread::Stop(std::atomic<bool>& stopFlag)
{
    stopFlag.store(true, std::memory_order_relaxed);
    std::thread worker;
    {
        std::lock_guard<std::mutex> guard(m_handleLock);
        if (!m_handle.joinable() || m_handle.get_id() == std::this_thread::get_id())
            return;
        worker = std::move(m_handle);
    }
    // Joined outside the lock: the worker may still call Stop or Started.
    worker.join();
}

bool CWorkerThread::Started() const
{
    std::lock_guard<std::mutex> guard(m_handleLock);
    return m_handle.joinable();
}
