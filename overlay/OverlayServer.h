#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "feed/DanmuItem.h"
#include "feed/PollOutcome.h"

class COverlayListener;

// At most this many pages receive events at once; the next one gets 503.
constexpr std::size_t kMaxOverlayClients = 16;

// Why Start did not start the server.
enum class OverlayStart {
    Started,
    BadAddress,         // the bind address is not an IPv4 address
    AddressUnavailable, // no interface of this computer has that address
    PortTaken,          // another program listens on the port
    PortDenied,         // a port below 1024 needs privileges
    PageMissing,        // the page's files cannot be read
    Failed,             // anything else
};

// The reason in words for the log and the settings window (UTF-8).
const char* OverlayStartText(OverlayStart result);

// The overlay page's web server: serves the page and streams the room's rows
// to every open page, from threads of its own. All calls come from the
// user-interface thread. Publish, SetOnline and SetFeedState only queue (no
// call ever waits for a page or the network); Start binds and returns; Stop
// waits only for connection threads that it has just woken.
class COverlayServer {
public:
    COverlayServer();
    ~COverlayServer();
    COverlayServer(const COverlayServer&) = delete;
    COverlayServer& operator=(const COverlayServer&) = delete;

    // Listens on bindAddress:port (0: any free port), serving the page at
    // /overlay/TOKEN/ from the files of `pageFolder`. A running server is
    // stopped first. Rows, count and state published so far are kept.
    OverlayStart Start(const std::string& bindAddress, int port, const std::string& token,
                       const std::string& pageFolder);
    // Closes every connection and the port; returns once they are closed.
    void Stop();

    bool Running() const;
    // The port listened on, 0 when stopped.
    int Port() const;
    // The page's address, empty when stopped.
    std::string Url() const;

    // New rows, oldest first: each one reaches every open page once.
    void Publish(const std::vector<DanmuItem>& items);
    void SetOnline(std::int32_t count);
    void SetFeedState(const PollOutcome& outcome);
    // Another room: open pages drop their rows, and pages that open later
    // get none of the rows published so far.
    void Clear();
    // Serves under a new token from now on; pages opened with the old one
    // stop at once.
    void ResetToken(const std::string& token);

    // Pages receiving events now.
    std::size_t OpenPages() const;

private:
    class CState;
    std::unique_ptr<CState> m_state;
    std::unique_ptr<COverlayListener> m_listener;
    std::string m_bindAddress;
    std::string m_url;
};
