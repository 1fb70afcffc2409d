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
    if (!m_handle.joinable() || m_handle.get_id() == std::this_thread::get_id())
        return;
    m_handle.join();
    m_handle = std::thread();
}
