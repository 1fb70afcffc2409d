#include "ui/RunGuard.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

#include "ui/qt/AppCore.h"

namespace DuiLib {

namespace {

const int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's write end for the handler; the guard's save for the exit hook.
// Both set and cleared on the user-interface thread.
volatile std::sig_atomic_t g_signalWrite = -1;
const std::function<void()>* g_exitSave = nullptr;
std::thread::id g_uiThread;

// Only what is safe in a handler: one byte into the pipe.
void OnEndSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    if (write(g_signalWrite, &byte, 1) < 0) {
        // the pipe is full: a byte already waits to be read
    }
    errno = saved;
}

// exit() called on the user-interface thread while a guard lives.
void SaveAtExit()
{
    if (g_exitSave && std::this_thread::get_id() == g_uiThread)
        (*g_exitSave)();
}

} // namespace

struct CRunGuard::Impl {
    std::function<void()> save;
    int pipe[2] = {-1, -1};
    struct sigaction previous[3] = {};
    QTimer timer;
    std::unique_ptr<QSocketNotifier> notifier;
    QMetaObject::Connection commit;

    void CatchSignals()
    {
        if (pipe2(pipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        g_signalWrite = pipe[1];
        notifier = std::make_unique<QSocketNotifier>(pipe[0], QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] {
            char bytes[16];
            while (read(pipe[0], bytes, sizeof bytes) > 0) {
            }
            core::Post(nullptr, WM_QUIT, 0, 0);
        });
        struct sigaction action = {};
        action.sa_handler = OnEndSignal;
        action.sa_flags = SA_RESTART | SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        for (int i = 0; i < 3; ++i)
            sigaction(kEndSignals[i], &action, &previous[i]);
    }

    void ReleaseSignals()
    {
        if (pipe[0] < 0)
            return;
        for (int i = 0; i < 3; ++i)
            sigaction(kEndSignals[i], &previous[i], nullptr);
        g_signalWrite = -1;
        notifier.reset();
        close(pipe[0]);
        close(pipe[1]);
    }
};

CRunGuard::CRunGuard(unsigned periodMs, std::function<void()> save) : m_impl(std::make_unique<Impl>())
{
    core::EnsureApplication();
    m_impl->save = std::move(save);
    static const bool hooked = std::atexit(SaveAtExit) == 0;
    (void)hooked;
    g_uiThread = std::this_thread::get_id();
    g_exitSave = &m_impl->save;
    QObject::connect(&m_impl->timer, &QTimer::timeout, [impl = m_impl.get()] { impl->save(); });
    m_impl->timer.start(static_cast<int>(periodMs));
#ifndef QT_NO_SESSIONMANAGER
    m_impl->commit = QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest,
        [impl = m_impl.get()](QSessionManager&) { impl->save(); });
#endif
    m_impl->CatchSignals();
}

CRunGuard::~CRunGuard()
{
    m_impl->ReleaseSignals();
    QObject::disconnect(m_impl->commit);
    g_exitSave = nullptr;
}

} // namespace DuiLib
