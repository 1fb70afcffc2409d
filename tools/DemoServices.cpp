#include "tools/DemoServices.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include <httplib.h>

#include "feed/FeedUrls.h"
#include "tools/DemoReplies.h"

namespace {

const char kLoopback[] = "127.0.0.1";
const char kJson[] = "application/json; charset=utf-8";
const char kMoved[] = "/moved";
const char kOnlinePath[] = R"((/moved)?/index\.php/Welcome/get_live_online)";
// Rooms are any 32-bit value (checked when served); counts are at most nine
// digits, so they always fit an int.
const char kHistoryPath[] = R"((/moved)?/v1/historys/(-?\d{1,10})_orvel/(\d{1,9})/(\d{1,9}))";
constexpr size_t kChunkSize = 64;

// Address reuse for quick restarts, but no SO_REUSEPORT: a second instance
// on a taken port must fail rather than share the port's requests.
void ReuseAddressOnly(socket_t sock)
{
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

void Stop(httplib::Server& server, std::thread& thread)
{
    if (thread.joinable()) {
        server.stop();
        thread.join();
    }
}

bool IsMoved(const httplib::Request& request)
{
    return request.path.compare(0, sizeof kMoved - 1, kMoved) == 0;
}

// Sends `body` in small chunks, so that a client sees several of them.
void SendChunked(httplib::Response& response, std::string body)
{
    response.set_chunked_content_provider(kJson, [body = std::move(body)](size_t offset, httplib::DataSink& sink) {
        const size_t size = std::min(kChunkSize, body.size() - offset);
        if (size > 0) {
            sink.write(body.data() + offset, size);
        }
        if (offset + size == body.size()) {
            sink.done();
        }
        return true;
    });
}

// The room of a history path: any value of 32 bits.
bool ReadRoom(const std::string& digits, std::int32_t& room)
{
    const long long value = std::strtoll(digits.c_str(), nullptr, 10);
    if (value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    room = static_cast<std::int32_t>(value);
    return true;
}

} // namespace

CDemoServices::CDemoServices(DemoOptions options)
    : m_options(std::move(options)),
      m_live(std::make_unique<httplib::Server>()),
      m_dms(std::make_unique<httplib::Server>()),
      m_chat(m_options.seed, m_options.chat)
{
    m_live->Get(kOnlinePath, [this](const httplib::Request& q, httplib::Response& r) { ServeOnline(q, r); });
    m_dms->Get(kHistoryPath, [this](const httplib::Request& q, httplib::Response& r) { ServeHistory(q, r); });
    for (httplib::Server* server : {m_live.get(), m_dms.get()}) {
        server->set_socket_options(ReuseAddressOnly);
        // One request per connection, as the program's client expects.
        server->set_keep_alive_max_count(1);
    }
}

CDemoServices::~CDemoServices()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_stopped.notify_all();
    Stop(*m_live, m_liveThread);
    Stop(*m_dms, m_dmsThread);
}

bool CDemoServices::Start()
{
    return Listen(*m_live, m_options.livePort, m_liveThread, m_livePort) &&
           Listen(*m_dms, m_options.dmsPort, m_dmsThread, m_dmsPort);
}

bool CDemoServices::Listen(httplib::Server& server, int port, std::thread& thread, int& bound)
{
    if (port == 0) {
        bound = server.bind_to_any_port(kLoopback);
    } else {
        bound = server.bind_to_port(kLoopback, port) ? port : -1;
    }
    if (bound <= 0) {
        return false;
    }
    thread = std::thread([&server] { server.listen_after_bind(); });
    // The socket already listens; waiting for the loop only makes sure that a
    // stop() from the destructor cannot come before it and be lost.
    while (!server.is_running()) {
        std::this_thread::yield();
    }
    return true;
}

void CDemoServices::KeepRecord()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_keepRecord = true;
}

std::vector<SeenRequest> CDemoServices::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return {m_seen.begin(), m_seen.end()};
}

// Waits out --slow and answers --outage and --redirect; true when the
// request is still to be served.
bool CDemoServices::Delay(const httplib::Request& request, httplib::Response& response, const char* service)
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_stopped.wait_for(lock, std::chrono::milliseconds(m_options.slowMs), [this] { return m_stopping; });
    }
    const auto upMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_started);
    if (InOutage(m_options.outageSeconds, upMs.count())) {
        Answer(request, response, service, 503, "");
        return false;
    }
    if (!m_options.redirect || IsMoved(request)) {
        return true;
    }
    const std::string location = "http://" + request.get_header_value("Host") + kMoved + request.target;
    response.set_header("Location", location);
    Answer(request, response, service, 302, "");
    return false;
}

void CDemoServices::ServeOnline(const httplib::Request& request, httplib::Response& response)
{
    if (!Delay(request, response, "live")) {
        return;
    }
    std::int32_t online = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        online = m_chat.NextOnline();
    }
    Answer(request, response, "live", 200, OnlineReply(m_options.online, online, request.get_param_value("live_id")));
}

void CDemoServices::ServeHistory(const httplib::Request& request, httplib::Response& response)
{
    if (!Delay(request, response, "dms")) {
        return;
    }
    if (request.get_header_value("Authorization") != DmsAuthorization()) {
        Answer(request, response, "dms", 401, R"({"code":401,"error":"unauthorized"})");
        return;
    }
    std::int32_t room = 0;
    if (!ReadRoom(request.matches[2].str(), room)) {
        Answer(request, response, "dms", 404, R"({"code":404,"error":"no such room"})");
        return;
    }
    const int limit = std::atoi(request.matches[4].str().c_str());
    std::vector<std::string> elements;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        elements = m_chat.NextHistory(room, limit);
    }
    Answer(request, response, "dms", 200, HistoryReply(m_options.history, elements));
}

void CDemoServices::Answer(const httplib::Request& request, httplib::Response& response, const char* service,
                           int status, std::string body)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_keepRecord) {
            m_seen.push_back(SeenRequest{service, request.target, request.get_header_value("Authorization"), status, body});
            if (m_seen.size() > kRecordLimit) {
                m_seen.pop_front();
            }
        }
    }
    response.status = status;
    if (m_options.chunked) {
        SendChunked(response, std::move(body));
    } else {
        response.set_content(body, kJson);
    }
}
