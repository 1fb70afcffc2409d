#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/ChatGenerator.h"
#include "tools/DemoOptions.h"

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// One request as the demo services saw and answered it.
struct SeenRequest {
    std::string service;         // "live" or "dms"
    std::string target;          // path and query
    std::string authorization;   // the header's value, empty when absent
    int status = 0;
    std::string body;            // what was answered
};

// The live site's online count and the message service's chat history on
// 127.0.0.1, each on its own port, served from threads of their own until
// the object is destroyed.
class CDemoServices {
public:
    explicit CDemoServices(DemoOptions options);
    ~CDemoServices();
    CDemoServices(const CDemoServices&) = delete;
    CDemoServices& operator=(const CDemoServices&) = delete;

    // Binds both ports and starts serving; false when a port is taken. Once
    // it returns true, connections are accepted.
    bool Start();

    int LivePort() const { return m_livePort; }
    int DmsPort() const { return m_dmsPort; }

    // How many requests the record keeps: the newest ones.
    static constexpr std::size_t kRecordLimit = 1000;

    // Keeps a record of the requests answered from now on, for tests; a
    // service that runs for days keeps none.
    void KeepRecord();
    // The requests recorded, oldest first.
    std::vector<SeenRequest> Requests() const;

private:
    bool Listen(httplib::Server& server, int port, std::thread& thread, int& bound);
    bool Delay(const httplib::Request& request, httplib::Response& response, const char* service);
    void ServeOnline(const httplib::Request& request, httplib::Response& response);
    void ServeHistory(const httplib::Request& request, httplib::Response& response);
    void Answer(const httplib::Request& request, httplib::Response& response, const char* service,
                int status, std::string body);

    const DemoOptions m_options;
    const std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
    std::unique_ptr<httplib::Server> m_live;
    std::unique_ptr<httplib::Server> m_dms;
    std::thread m_liveThread;
    std::thread m_dmsThread;
    int m_livePort = -1;
    int m_dmsPort = -1;

    mutable std::mutex m_mutex;          // guards everything below
    std::condition_variable m_stopped;   // ends slow waits at shutdown
    bool m_stopping = false;
    CChatGenerator m_chat;
    bool m_keepRecord = false;
    std::deque<SeenRequest> m_seen;
};
