#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One step of what the server does on a connection.
struct ServerStep {
    enum Kind { ExpectRequest, Send, Pause, Stall };
    Kind kind;
    std::string bytes;  // Send
    int ms = 0;         // Pause
};

using ServerScript = std::vector<ServerStep>;

// Reads one request: through its blank line and any "Content-Length" body.
ServerStep ExpectRequest();
ServerStep Send(std::string bytes);
ServerStep Pause(int ms);
// Keeps the connection open, sending nothing, until the client closes it.
ServerStep Stall();
// The bytes one at a time with a pause after each.
ServerScript Trickle(const std::string& bytes, int pauseMs);
// A request read, then the reply in one piece.
ServerScript Reply(std::string bytes);

// A loopback HTTP server on an ephemeral port of 127.0.0.1 that plays one
// script per accepted connection, in order; with repeat the last script is
// played for every further connection. After its script a connection is
// half-closed and drained until the client closes it. The destructor stops
// the server, also in the middle of a script.
class CScriptedServer {
public:
    explicit CScriptedServer(std::vector<ServerScript> scripts, bool repeat = false);
    ~CScriptedServer();
    CScriptedServer(const CScriptedServer&) = delete;
    CScriptedServer& operator=(const CScriptedServer&) = delete;

    int Port() const { return m_port; }
    std::string Url(const std::string& path) const;
    // Every request read so far, in order.
    std::vector<std::string> Requests() const;
    int Connections() const { return m_connections.load(); }

private:
    void Serve();
    void Play(int connection, const ServerScript& script);
    bool ReadRequest(int connection);
    bool SendAll(int connection, const std::string& bytes);
    void PauseFor(int ms);
    void WaitForClientClose(int connection);
    void DrainUntilClosed(int connection);
    bool WaitReadable(int connection);

    std::vector<ServerScript> m_scripts;
    bool m_repeat;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    mutable std::mutex m_lock;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// A loopback port with nothing listening on it.
int UnusedPort();
