#pragma once

#include <functional>
#include <memory>

namespace DuiLib {

// Keeps a run's state from being lost when the run ends some other way than
// through its own menu. While the guard lives, `save` is called on the
// user-interface thread
// - every `periodMs` while a message loop runs, so that a crash loses
//   seconds, not the evening;
// - when the session manager asks the program to save before a logout;
// - when the process is ended by exit() on that thread, as the display
//   libraries do when the connection to the display breaks.
// SIGTERM, SIGINT and SIGHUP end the message loops as WM_QUIT does (noted in
// the handler, acted on in the loop); a second such signal ends the process
// at once. One guard at a time.
class CRunGuard {
public:
    CRunGuard(unsigned periodMs, std::function<void()> save);
    ~CRunGuard();
    CRunGuard(const CRunGuard&) = delete;
    CRunGuard& operator=(const CRunGuard&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace DuiLib
