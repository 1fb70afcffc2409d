#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One step of what the server does on a connection.
struct ServerStep {
    enum Kind { ExpectRequest, Send, Stall } kind;
    std::string bytes;  // Send
    int pauseMs = 0;    // Send: sent one byte at a time, with this pause after each
};

using ServerScript = std::vector<ServerStep>;

// Reads one request, through its blank line (no test sends a body).
inline ServerStep ExpectRequest() { return {ServerStep::ExpectRequest, "", 0}; }
inline ServerStep Send(std::string bytes) { return {ServerStep::Send, std::move(bytes), 0}; }
inline ServerStep Trickle(std::string bytes, int pauseMs) { return {ServerStep::Send, std::move(bytes), pauseMs}; }
// Keeps the connection open, sending nothing, until the client closes it.
inline ServerStep Stall() { return {ServerStep::Stall, "", 0}; }
// A request read, then the reply in one piece.
inline ServerScript Reply(std::string bytes) { return {ExpectRequest(), Send(std::move(bytes))}; }

// A socket bound to a free port of 127.0.0.1 and closed with the object.
// While it does not listen, connections to its port are refused.
struct BoundPort {
    BoundPort();
    ~BoundPort();
    BoundPort(const BoundPort&) = delete;
    BoundPort& operator=(const BoundPort&) = delete;
    std::string Host() const { return "127.0.0.1:" + std::to_string(port); }

    int socket, port;
};

// A loopback HTTP server that plays one script per accepted connection, in
// order; with repeat the last script is played for every further connection.
// After its script a connection is half-closed and drained until the client
// closes it. The destructor stops the server, also in the middle of a script.
class CScriptedServer {
public:
    explicit CScriptedServer(std::vector<ServerScript> scripts, bool repeat = false);
    ~CScriptedServer();

    int Port() const { return m_listener.port; }
    std::string Url(const std::string& path) const { return "http://" + m_listener.Host() + path; }
    // Every request read so far, in order.
    std::vector<std::string> Requests() const;
    int Connections() const { return m_connections.load(); }

private:
    void Serve();
    bool Adopt(int connection);
    bool Play(int connection, const ServerStep& step);
    bool ReadRequest(int connection);
    bool Rest(int ms);

    const std::vector<ServerScript> m_scripts;
    const bool m_repeat;
    BoundPort m_listener;
    std::atomic<int> m_connections{0};
    mutable std::mutex m_lock;  // guards what follows
    std::condition_variable m_stopping;
    bool m_stop = false;
    int m_connection = -1;  // the one being played, shut down to stop
    std::vector<std::string> m_requests;
    std::thread m_thread;
};
