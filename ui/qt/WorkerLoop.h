#pragma once

// Internal: a thread with its own event loop, for Qt objects that may take
// their time (a speech engine, an audio device) away from the windows.

#include <QObject>
#include <QThread>
#include <deque>
#include <functional>
#include <mutex>

namespace DuiLib {

// Runs, in the thread it lives in, the jobs given to it from any thread, in
// order. The jobs pass under a lock of ours; Qt's event only wakes the
// thread, so a job never travels in memory that only Qt's queue guards.
class CJobQueue : public QObject {
public:
    void Add(std::function<void()> job);

protected:
    void customEvent(QEvent* event) override;

private:
    std::mutex m_lock;
    std::deque<std::function<void()>> m_jobs;
};

class CWorkerLoop {
public:
    CWorkerLoop();
    // Runs the jobs posted before, destroys the objects made in the loop, in
    // its thread, and waits for it.
    ~CWorkerLoop();
    CWorkerLoop(const CWorkerLoop&) = delete;
    CWorkerLoop& operator=(const CWorkerLoop&) = delete;

    // Runs job in the loop's thread, after the jobs posted before.
    void Post(std::function<void()> job) { m_context->Add(std::move(job)); }
    // Runs job on the user-interface thread, unless this loop is gone by then.
    void Tell(std::function<void()> job) { m_receiver.Add(std::move(job)); }
    // The parent for objects made in the loop.
    QObject* Context() const { return m_context; }

private:
    QThread m_thread;
    CJobQueue* m_context;  // lives in m_thread
    CJobQueue m_receiver;  // lives in the user-interface thread
};

} // namespace DuiLib
