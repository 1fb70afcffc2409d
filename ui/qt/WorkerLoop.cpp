#include "ui/qt/WorkerLoop.h"

namespace DuiLib {

CWorkerLoop::CWorkerLoop() : m_context(new QObject)
{
    m_context->moveToThread(&m_thread);
    m_thread.start();
}

CWorkerLoop::~CWorkerLoop()
{
    QObject* context = m_context;
    QThread* thread = &m_thread;
    QMetaObject::invokeMethod(context, [context, thread] {
        delete context;
        thread->quit();
    }, Qt::QueuedConnection);
    m_thread.wait();
}

void CWorkerLoop::Post(std::function<void()> job)
{
    QMetaObject::invokeMethod(m_context, std::move(job), Qt::QueuedConnection);
}

void CWorkerLoop::Tell(std::function<void()> job)
{
    QMetaObject::invokeMethod(&m_receiver, std::move(job), Qt::QueuedConnection);
}

} // namespace DuiLib
