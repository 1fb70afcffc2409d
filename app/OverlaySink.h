#pragma once

#include <string>

#include "app/RunState.h"
#include "app/windows/RowSink.h"
#include "overlay/OverlayServer.h"

// The overlay page's server as the run's settings ask for it, fed with the
// danmaku window's rows, count and state. Registers itself with the run
// while it lives. User-interface thread only.
class COverlaySink : public RowSink {
public:
    COverlaySink(RunState& state, std::string pageFolder);
    ~COverlaySink() override;
    COverlaySink(const COverlaySink&) = delete;
    COverlaySink& operator=(const COverlaySink&) = delete;

    // Starts, restarts or stops the server as state.overlay now says; a
    // failure goes to the log and into Status, and the run goes on.
    void Apply();
    // A new token into state.overlay: pages opened with the old one stop.
    void ResetToken();
    // What the settings window shows (UTF-8): the server's state.
    const std::string& Status() const { return m_status; }
    // The page's address, empty while the server is stopped.
    std::string Url() const { return m_server.Url(); }

    void RowsArrived(int room, const std::vector<DanmuItem>& rows, bool backlog) override;
    void RoomChanged(int room) override;
    void StatusChanged(int online, const PollOutcome& outcome) override;

private:
    RunState& m_state;
    const std::string m_pageFolder;
    COverlayServer m_server;
    OverlayOptions m_serving; // what the running server was started with
    std::string m_status;
};

// Makes the token when the settings had none (or a bad one); false when the
// kernel's random source could not be read.
bool EnsureOverlayToken(OverlayOptions& overlay);
