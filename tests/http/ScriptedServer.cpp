#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kPollMs = 20;

int BindLoopback()
{
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        std::abort();
    return s;
}

int PortOf(int s)
{
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

// Whether text holds a complete request: header and "Content-Length" body.
bool RequestComplete(const std::string& text)
{
    std::size_t blank = text.find("\r\n\r\n");
    if (blank == std::string::npos)
        return false;
    std::size_t length = 0;
    std::size_t field = text.find("\r\nContent-Length: ");
    if (field != std::string::npos && field < blank)
        length = std::strtoul(text.c_str() + field + 18, nullptr, 10);
    return text.size() >= blank + 4 + length;
}

} // namespace

ServerStep ExpectRequest()
{
    return {ServerStep::ExpectRequest, "", 0};
}

ServerStep Send(std::string bytes)
{
    return {ServerStep::Send, std::move(bytes), 0};
}

ServerStep Pause(int ms)
{
    return {ServerStep::Pause, "", ms};
}

ServerStep Stall()
{
    return {ServerStep::Stall, "", 0};
}

ServerScript Trickle(const std::string& bytes, int pauseMs)
{
    ServerScript script;
    for (char c : bytes) {
        script.push_back(Send(std::string(1, c)));
        script.push_back(Pause(pauseMs));
    }
    return script;
}

ServerScript Reply(std::string bytes)
{
    return {ExpectRequest(), Send(std::move(bytes))};
}

CScriptedServer::CScriptedServer(std::vector<ServerScript> scripts, bool repeat)
    : m_scripts(std::move(scripts)), m_repeat(repeat), m_listener(BindLoopback()),
      m_port(PortOf(m_listener))
{
    ::listen(m_listener, 64);
    m_thread = std::thread(&CScriptedServer::Serve, this);
}

CScriptedServer::~CScriptedServer()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listener);
}

std::string CScriptedServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> CScriptedServer::Requests() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

void CScriptedServer::Serve()
{
    for (std::size_t next = 0; !m_stop;) {
        pollfd entry{m_listener, POLLIN, 0};
        if (::poll(&entry, 1, kPollMs) <= 0)
            continue;
        int connection = ::accept(m_listener, nullptr, nullptr);
        if (connection < 0)
            continue;
        ++m_connections;
        int one = 1;
        ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (next < m_scripts.size())
            Play(connection, m_scripts[next++]);
        else if (m_repeat && !m_scripts.empty())
            Play(connection, m_scripts.back());
        DrainUntilClosed(connection);
        ::close(connection);
    }
}

void CScriptedServer::Play(int connection, const ServerScript& script)
{
    for (const ServerStep& step : script) {
        bool ok = true;
        switch (step.kind) {
        case ServerStep::ExpectRequest:
            ok = ReadRequest(connection);
            break;
        case ServerStep::Send:
            ok = SendAll(connection, step.bytes);
            break;
        case ServerStep::Pause:
            PauseFor(step.ms);
            break;
        case ServerStep::Stall:
            WaitForClientClose(connection);
            ok = false;
            break;
        }
        if (!ok || m_stop)
            return;
    }
}

bool CScriptedServer::WaitReadable(int connection)
{
    pollfd entry{connection, POLLIN, 0};
    while (!m_stop) {
        if (::poll(&entry, 1, kPollMs) > 0)
            return true;
    }
    return false;
}

bool CScriptedServer::ReadRequest(int connection)
{
    std::string text;
    char buffer[4096];
    while (!RequestComplete(text)) {
        if (!WaitReadable(connection))
            return false;
        ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_requests.push_back(text);
    return true;
}

bool CScriptedServer::SendAll(int connection, const std::string& bytes)
{
    pollfd entry{connection, POLLOUT, 0};
    for (std::size_t sent = 0; sent < bytes.size();) {
        if (m_stop)
            return false;
        ssize_t n = ::send(connection, bytes.data() + sent, bytes.size() - sent,
                           MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            ::poll(&entry, 1, kPollMs);
            continue;
        }
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

void CScriptedServer::PauseFor(int ms)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!m_stop && std::chrono::steady_clock::now() < end)
        ::poll(nullptr, 0, 1);
}

void CScriptedServer::WaitForClientClose(int connection)
{
    char buffer[4096];
    while (WaitReadable(connection)) {
        if (::recv(connection, buffer, sizeof buffer, 0) <= 0)
            return;
    }
}

void CScriptedServer::DrainUntilClosed(int connection)
{
    ::shutdown(connection, SHUT_WR);
    WaitForClientClose(connection);
}

int UnusedPort()
{
    int s = BindLoopback();
    int port = PortOf(s);
    ::close(s);
    return port;
}
