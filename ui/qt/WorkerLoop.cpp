#include "ui/qt/WorkerLoop.h"

#include <QCoreApplication>
#include <QEvent>

namespace DuiLib {

void CJobQueue::Add(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_jobs.push_back(std::move(job));
    }
    QCoreApplication::postEvent(this, new QEvent(QEvent::User));
}

// One event may find several jobs, or none left: each wake takes all.
void CJobQueue::customEvent(QEvent*)
{
    std::deque<std::function<void()>> jobs;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        jobs.swap(m_jobs);
    }
    for (auto& job : jobs)
        job();
}

CWorkerLoop::CWorkerLoop() : m_context(new CJobQueue)
{
    m_context->moveToThread(&m_thread);
    // Deleted in its own thread once the loop has ended.
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
}

CWorkerLoop::~CWorkerLoop()
{
    QThread* thread = &m_thread;
    Post([thread] { thread->quit(); });
    m_thread.wait();
}

} // namespace DuiLib
