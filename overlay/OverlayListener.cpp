#include "overlay/OverlayListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <mutex>
#include <set>

#include <httplib.h>

namespace {

using Clock = std::chrono::steady_clock;

thread_local int t_served = -1;

// The whole request must arrive within this time: a client that trickles
// bytes cannot hold a thread.
constexpr std::chrono::milliseconds kRequestTime{2000};
// A page whose socket takes nothing for this long is given up.
constexpr std::chrono::milliseconds kWriteWait{5000};

// Whether the socket becomes ready for `events` within `wait` (a socket that
// was shut down is "ready" at once, and its next read or send fails).
bool WaitFor(int sock, short events, std::chrono::milliseconds wait)
{
    pollfd entry{sock, events, 0};
    int ready = 0;
    do {
        ready = poll(&entry, 1, static_cast<int>(std::max<long long>(wait.count(), 0)));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

// One connection as cpp-httplib reads and writes it, with the request's
// bounds in bytes and time.
class CSocketStream : public httplib::Stream {
public:
    explicit CSocketStream(int sock) : m_sock(sock) {}

    bool is_readable() const override { return WaitFor(m_sock, POLLIN, Left()); }
    bool is_writable() const override { return WaitFor(m_sock, POLLOUT, kWriteWait); }

    ssize_t read(char* ptr, size_t size) override
    {
        const size_t room = COverlayListener::kMaxRequestBytes - m_read;
        if (room == 0 || !is_readable())
            return -1;
        const ssize_t got = recv(m_sock, ptr, std::min(size, room), 0);
        m_read += got > 0 ? static_cast<size_t>(got) : 0;
        return got;
    }

    ssize_t write(const char* ptr, size_t size) override
    {
        return is_writable() ? send(m_sock, ptr, size, MSG_NOSIGNAL) : -1;
    }

    // The overlay does not look at addresses.
    void get_remote_ip_and_port(std::string&, int&) const override {}
    void get_local_ip_and_port(std::string&, int&) const override {}
    socket_t socket() const override { return m_sock; }

private:
    std::chrono::milliseconds Left() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - Clock::now());
    }

    const int m_sock;
    const Clock::time_point m_deadline = Clock::now() + kRequestTime;
    size_t m_read = 0;
};

// Address reuse for a quick restart, but never a port shared with another
// program (cpp-httplib's default asks for SO_REUSEPORT).
void ReuseAddressOnly(socket_t sock)
{
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

// Why binding failed, found by binding again.
OverlayStart BindFailure(const in_addr& address, int port)
{
    const int sock = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (sock < 0)
        return OverlayStart::Failed;
    ReuseAddressOnly(sock);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<uint16_t>(port));
    where.sin_addr = address;
    const int failed = bind(sock, reinterpret_cast<const sockaddr*>(&where), sizeof where) != 0 ? errno : 0;
    close(sock);
    switch (failed) {
    case EADDRINUSE:
        return OverlayStart::PortTaken;
    case EADDRNOTAVAIL:
        return OverlayStart::AddressUnavailable;
    case EACCES:
        return OverlayStart::PortDenied;
    default:
        return OverlayStart::Failed;
    }
}

} // namespace

int ServedConnection()
{
    return t_served;
}

// cpp-httplib's server with its connections handled here: each request is
// read through CSocketStream, and each socket is listed while it is open.
class COverlayListener::CServer : public httplib::Server {
public:
    void CloseAll()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closing = true;
        for (int sock : m_open)
            shutdown(sock, SHUT_RDWR);
    }

private:
    bool process_and_close_socket(socket_t sock) override
    {
        Track(sock, true);
        CSocketStream stream(sock);
        bool closed = false;
        t_served = sock;
        const bool served = process_request(stream, true, closed, [](httplib::Request&) {});
        t_served = -1;
        Track(sock, false);
        shutdown(sock, SHUT_RDWR);
        close(sock);
        return served;
    }

    // Listed and unlisted under the lock, and closed only once unlisted, so
    // CloseAll never shuts down a number that another socket has reused.
    void Track(int sock, bool open)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!open) {
            m_open.erase(sock);
            return;
        }
        m_open.insert(sock);
        if (m_closing)
            shutdown(sock, SHUT_RDWR);
    }

    std::mutex m_mutex;
    std::set<int> m_open;
    bool m_closing = false;
};

COverlayListener::COverlayListener(Handler handler) : m_server(std::make_unique<CServer>())
{
    m_server->set_socket_options(ReuseAddressOnly);
    m_server->new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    m_server->set_pre_routing_handler([handler](const httplib::Request& request, httplib::Response& response) {
        handler(request, response);
        return httplib::Server::HandlerResponse::Handled;
    });
}

COverlayListener::~COverlayListener()
{
    Stop();
}

OverlayStart COverlayListener::Listen(const std::string& bindAddress, int port)
{
    in_addr address{};
    // A numeric address only: a name would need a lookup that may wait on the network.
    if (inet_pton(AF_INET, bindAddress.c_str(), &address) != 1 || port < 0 || port > 65535)
        return OverlayStart::BadAddress;
    m_port = port == 0 ? m_server->bind_to_any_port(bindAddress) : m_server->bind_to_port(bindAddress, port) ? port : -1;
    if (m_port <= 0) {
        m_port = 0;
        return port == 0 ? OverlayStart::Failed : BindFailure(address, port);
    }
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() does nothing before the loop runs; Stop must not come too early.
    while (!m_server->is_running())
        std::this_thread::yield();
    return OverlayStart::Started;
}

void COverlayListener::Stop()
{
    if (!m_thread.joinable())
        return;
    m_server->stop();
    m_server->CloseAll();
    m_thread.join();
    m_port = 0;
}
