#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "overlay/OverlayServer.h"

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

// The socket of the connection that the calling thread is serving (a
// handler or content provider), -1 on any other thread.
int ServedConnection();

// The overlay's HTTP side: cpp-httplib on a thread of its own, one request
// per connection, every connection's socket known so that Stop can close
// them all at once, whatever each thread is waiting for.
class COverlayListener {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    // A request's line and headers together: a browser's are well below.
    static constexpr std::size_t kMaxRequestBytes = 8192;
    // Connection threads: every page's stream, and a few for files and refusals.
    static constexpr std::size_t kThreads = kMaxOverlayClients + 4;

    explicit COverlayListener(Handler handler);
    ~COverlayListener();
    COverlayListener(const COverlayListener&) = delete;
    COverlayListener& operator=(const COverlayListener&) = delete;

    // Binds and serves every request with the handler until Stop.
    OverlayStart Listen(const std::string& bindAddress, int port);
    void Stop();
    int Port() const { return m_port; }

private:
    class CServer;
    std::unique_ptr<CServer> m_server;
    std::thread m_thread;
    int m_port = 0;
};
