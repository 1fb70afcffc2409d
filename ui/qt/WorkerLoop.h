#pragma once

// Internal: a thread with its own event loop, for Qt objects that may take
// their time (a speech engine, an audio device) away from the windows.

#include <QObject>
#include <QThread>
#include <functional>

namespace DuiLib {

class CWorkerLoop {
public:
    CWorkerLoop();
    // Destroys the objects made in the loop, in its thread, and waits for it.
    ~CWorkerLoop();
    CWorkerLoop(const CWorkerLoop&) = delete;
    CWorkerLoop& operator=(const CWorkerLoop&) = delete;

    // Runs job in the loop's thread, after the jobs posted before.
    void Post(std::function<void()> job);
    // Runs job on the user-interface thread, unless this loop is gone by then.
    void Tell(std::function<void()> job);
    // The parent for objects made in the loop.
    QObject* Context() const { return m_context; }

private:
    QThread m_thread;
    QObject* m_context;  // lives in m_thread
    QObject m_receiver;  // lives in the user-interface thread
};

} // namespace DuiLib
