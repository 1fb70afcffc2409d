#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool SendAll(int connection, const std::string& bytes)
{
    for (std::size_t sent = 0; sent < bytes.size();) {
        ssize_t n = ::send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads until the client closes, or until the server is stopped.
void Drain(int connection)
{
    char buffer[4096];
    while (::recv(connection, buffer, sizeof buffer, 0) > 0) {
    }
}

} // namespace

BoundPort::BoundPort() : socket(::socket(AF_INET, SOCK_STREAM, 0))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (socket < 0 || ::bind(socket, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        std::abort();
    port = ntohs(address.sin_port);
}

BoundPort::~BoundPort()
{
    ::close(socket);
}

CScriptedServer::CScriptedServer(std::vector<ServerScript> scripts, bool repeat)
    : m_scripts(std::move(scripts)), m_repeat(repeat)
{
    ::listen(m_listener.socket, 64);
    m_thread = std::thread(&CScriptedServer::Serve, this);
}

// Shutting the sockets down wakes the server thread wherever it blocks.
CScriptedServer::~CScriptedServer()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
        if (m_connection >= 0)
            ::shutdown(m_connection, SHUT_RDWR);
    }
    m_stopping.notify_all();
    ::shutdown(m_listener.socket, SHUT_RDWR);
    m_thread.join();
}

std::vector<std::string> CScriptedServer::Requests() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

void CScriptedServer::Serve()
{
    for (std::size_t next = 0;; ++next) {
        int connection = ::accept(m_listener.socket, nullptr, nullptr);
        if (connection < 0 || !Adopt(connection))
            break;
        const ServerScript* script = next < m_scripts.size() ? &m_scripts[next]
                                     : m_repeat && !m_scripts.empty() ? &m_scripts.back() : nullptr;
        for (std::size_t step = 0; script && step < script->size() && Play(connection, (*script)[step]); ++step) {
        }
        ::shutdown(connection, SHUT_WR);
        Drain(connection);
        std::lock_guard<std::mutex> guard(m_lock);
        m_connection = -1;
        ::close(connection);
    }
}

// Makes the connection the one the destructor shuts down, unless stopping.
bool CScriptedServer::Adopt(int connection)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_stop) {
        ::close(connection);
        return false;
    }
    m_connection = connection;
    ++m_connections;
    int one = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return true;
}

// Whether the script goes on. A trickle is sent one byte at a time.
bool CScriptedServer::Play(int connection, const ServerStep& step)
{
    if (step.kind == ServerStep::ExpectRequest)
        return ReadRequest(connection);
    if (step.kind == ServerStep::Stall) {
        Drain(connection);
        return false;
    }
    const std::size_t piece = step.pauseMs > 0 ? 1 : step.bytes.size();
    for (std::size_t at = 0; at < step.bytes.size(); at += piece) {
        if (!SendAll(connection, step.bytes.substr(at, piece)) || (step.pauseMs > 0 && !Rest(step.pauseMs)))
            return false;
    }
    return true;
}

bool CScriptedServer::ReadRequest(int connection)
{
    std::string text;
    char buffer[4096];
    while (text.find("\r\n\r\n") == std::string::npos) {
        ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_requests.push_back(text);
    return true;
}

// Waits ms unless the server is stopped first; false when it is.
bool CScriptedServer::Rest(int ms)
{
    std::unique_lock<std::mutex> lock(m_lock);
    return !m_stopping.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop; });
}
