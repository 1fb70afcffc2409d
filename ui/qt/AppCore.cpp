#include "ui/qt/AppCore.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>
#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

#include "ui/qt/InputMessages.h"

namespace DuiLib::core {

namespace {

// Never destroyed: a worker thread may still post while the process exits.
struct Shared {
    std::mutex lock;
    bool accepting = true;
    std::map<HWND, IMessageTarget*> windows;
    std::uintptr_t nextHandle = 1;
};

Shared& State()
{
    static Shared* shared = new Shared;
    return *shared;
}

const QEvent::Type kMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

struct Message {
    HWND hWnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

struct MessageEvent : QEvent {
    explicit MessageEvent(const Message& m) : QEvent(kMessageEvent), message(m) {}
    Message message;
};

std::vector<QEventLoop*> g_loops; // innermost last; user-interface thread only
bool g_quitting = false;

void QuitLoops()
{
    g_quitting = true;
    for (QEventLoop* loop : g_loops)
        loop->exit(0);
}

// The posted message, read under the lock it was posted under: the hand-off
// from another thread is then plainly ordered (and visible as such to
// ThreadSanitizer, which cannot see Qt's own queue lock). False for any other event.
bool Received(const QEvent* e, Message& out)
{
    std::lock_guard<std::mutex> guard(State().lock);
    if (e->type() != kMessageEvent)
        return false;
    out = static_cast<const MessageEvent*>(e)->message;
    return true;
}

// Receives every posted message on the user-interface thread.
class Pump : public QObject {
public:
    bool event(QEvent* e) override
    {
        Message m{};
        if (!Received(e, m))
            return QObject::event(e);
        if (m.msg == WM_QUIT)
            QuitLoops();
        else
            Dispatch(m.hWnd, m.msg, m.wParam, m.lParam);
        return true;
    }
};

Pump* g_pump = nullptr;

// Turns Qt input into window messages before Qt delivers it.
class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* e) override
    {
        if (SwallowedAsMessage(receiver, e))
            return true;
        return QApplication::notify(receiver, e);
    }
};

// The program speaks Chinese: Qt's own texts (the message box's button,
// a field's context menu) too. Without the translation they stay English.
void LoadQtTranslation(QApplication* app)
{
    auto* translator = new QTranslator(app);
    if (translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app->installTranslator(translator);
}

} // namespace

bool PreferXWayland(const char* chosen, const char* wayland, const char* display)
{
    auto set = [](const char* v) { return v && *v; };
    return !chosen && set(wayland) && set(display);
}

void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (PreferXWayland(std::getenv("QT_QPA_PLATFORM"), std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY")))
        qputenv("QT_QPA_PLATFORM", "xcb");
    static int argc = 1;
    static char name[] = "OrvelHelper";
    static char* argv[] = {name, nullptr};
    auto* app = new Application(argc, argv); // lives to the end of the process
    app->setQuitOnLastWindowClosed(false);
    app->setStyle(QStyleFactory::create("Fusion"));
    LoadQtTranslation(app);
    g_pump = new Pump;
}

bool Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Shared& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.accepting || !g_pump || (msg != WM_QUIT && !s.windows.count(hWnd)))
        return false;
    QCoreApplication::postEvent(g_pump, new MessageEvent(Message{hWnd, msg, wParam, lParam}));
    return true;
}

void Shutdown()
{
    Shared& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.accepting = false;
}

HWND Register(IMessageTarget* target)
{
    Shared& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    HWND h = reinterpret_cast<HWND>(s.nextHandle++);
    s.windows[h] = target;
    return h;
}

void Unregister(HWND hWnd)
{
    Shared& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.windows.erase(hWnd);
}

IMessageTarget* Lookup(HWND hWnd)
{
    Shared& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    auto it = s.windows.find(hWnd);
    return it == s.windows.end() ? nullptr : it->second;
}

LRESULT Dispatch(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool* passOn)
{
    IMessageTarget* target = Lookup(hWnd);
    return target ? target->Receive(hWnd, msg, wParam, lParam, passOn) : 0;
}

int WindowCount()
{
    Shared& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return static_cast<int>(s.windows.size());
}

std::vector<HWND> Handles()
{
    Shared& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    std::vector<HWND> handles;
    for (const auto& entry : s.windows)
        handles.push_back(entry.first);
    return handles;
}

void RunLoop(QEventLoop& loop)
{
    if (g_quitting)
        return;
    g_loops.push_back(&loop);
    loop.exec();
    g_loops.pop_back();
}

void ResetQuit()
{
    g_quitting = false;
}

} // namespace DuiLib::core
