#include "overlay/OverlayServer.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <map>
#include <mutex>

#include <httplib.h>

#include "overlay/OverlayEvents.h"
#include "overlay/OverlayListener.h"
#include "overlay/OverlayPage.h"
#include "overlay/OverlayRequest.h"
#include "overlay/OverlayToken.h"

namespace {

// An idle stream gets a comment this often, so that nothing on the way
// takes it for dead.
constexpr std::chrono::milliseconds kKeepAliveInterval{15000};
// One file of the page; ours are a few KiB.
constexpr std::size_t kMaxPageFileBytes = 256 * 1024;
// The page's own script and style sheet only, and events from this server.
// Inline style stays allowed: OBS's "Custom CSS" box is added as a <style>
// element, and text that reaches the page never becomes markup.
const char kContentPolicy[] = "default-src 'none'; script-src 'self'; style-src 'self' 'unsafe-inline'; "
                              "img-src 'self'; connect-src 'self'; base-uri 'none'; form-action 'none'";
const char kEventStream[] = "text/event-stream";
const char kIndexFile[] = "index.html";

struct PageFile {
    const char* name;
    const char* type;
};
const PageFile kPageFiles[] = {
    {kIndexFile, "text/html; charset=utf-8"},
    {"overlay.css", "text/css; charset=utf-8"},
    {"overlay.js", "text/javascript; charset=utf-8"},
};


bool ReadPageFile(const std::string& path, std::string& body)
{
    std::ifstream file(path, std::ios::binary);
    body.resize(kMaxPageFileBytes + 1);
    file.read(&body[0], static_cast<std::streamsize>(body.size()));
    body.resize(static_cast<std::size_t>(file.gcount()));
    return !body.empty() && body.size() <= kMaxPageFileBytes;
}

// Sends what the page has queued, or a keep-alive comment; false ends the
// stream (the page was closed).
bool SendQueued(COverlayPage& page, httplib::DataSink& sink)
{
    std::string out;
    const COverlayPage::Taken taken = page.Take(out, ServedConnection(), kKeepAliveInterval);
    if (taken == COverlayPage::Taken::Closed)
        return false;
    if (taken == COverlayPage::Taken::Idle)
        out = KeepAliveComment();
    return sink.write(out.data(), out.size());
}

} // namespace

// What every connection thread and the user-interface thread share.
class COverlayServer::CState {
public:
    CState() : m_ring(NewOverlayToken().substr(0, 8)) {}

    bool LoadPage(const std::string& folder);
    void Open(const std::string& bindAddress, const std::string& token);
    void CloseAll();
    void Serve(const httplib::Request& request, httplib::Response& response);
    void Publish(const std::vector<DanmuItem>& items);
    void SetOnline(std::int32_t count);
    void SetFeedState(const PollOutcome& outcome);
    void Clear();
    std::size_t OpenPages();

private:
    void OpenEvents(const httplib::Request& request, httplib::Response& response);
    void ServeFile(const std::string& name, httplib::Response& response) const;
    // Under the lock: queues frames for every page, dropping pages that fell behind.
    void SendAll(const std::string& frames, std::size_t events);
    void Forget(const std::shared_ptr<COverlayPage>& page);
    // A new latest value (viewers, feed state): sent to every page when it differs.
    void Replace(std::string& current, std::string frame);

    std::map<std::string, std::string> m_files; // written by Start only, while no thread serves
    std::mutex m_mutex;                          // guards everything below
    std::string m_bindAddress;
    std::string m_token;
    bool m_open = false;
    COverlayRing m_ring;
    std::string m_online = OnlineEvent(0);
    std::string m_state = StateEvent({});
    std::vector<std::shared_ptr<COverlayPage>> m_pages;
};

bool COverlayServer::CState::LoadPage(const std::string& folder)
{
    m_files.clear();
    for (const PageFile& file : kPageFiles) {
        if (!ReadPageFile(folder + "/" + file.name, m_files[file.name]))
            return false;
    }
    return true;
}

void COverlayServer::CState::Open(const std::string& bindAddress, const std::string& token)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bindAddress = bindAddress;
    m_token = token;
    m_open = true;
}

void COverlayServer::CState::CloseAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_open = false;
    for (const auto& page : m_pages)
        page->Close();
    m_pages.clear();
}

void COverlayServer::CState::Serve(const httplib::Request& request, httplib::Response& response)
{
    response.set_header("Content-Security-Policy", kContentPolicy);
    response.set_header("X-Content-Type-Options", "nosniff");
    // The token is in the address: no other site may learn it.
    response.set_header("Referrer-Policy", "no-referrer");
    response.set_header("Cache-Control", "no-store");
    OverlayRequest target;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        target = RouteOverlayRequest(request.method, request.get_header_value("Host"), request.path, m_bindAddress,
                                     m_token);
    }
    switch (target.route) {
    case OverlayRoute::Page:
        return ServeFile(kIndexFile, response);
    case OverlayRoute::File:
        return ServeFile(target.file, response);
    case OverlayRoute::Events:
        return OpenEvents(request, response);
    case OverlayRoute::AddSlash:
        response.status = 308;
        return response.set_header("Location", request.path + "/");
    case OverlayRoute::NotFound:
        response.status = 404;
        return;
    case OverlayRoute::BadMethod:
        response.status = 405;
        return response.set_header("Allow", "GET, HEAD");
    case OverlayRoute::WrongHost:
        response.status = 421;
        return;
    }
}

void COverlayServer::CState::ServeFile(const std::string& name, httplib::Response& response) const
{
    const auto file = m_files.find(name);
    if (file == m_files.end()) {
        response.status = 404;
        return;
    }
    for (const PageFile& known : kPageFiles) {
        if (name == known.name)
            response.set_content(file->second, known.type);
    }
}

void COverlayServer::CState::OpenEvents(const httplib::Request& request, httplib::Response& response)
{
    if (request.method == "HEAD") {
        response.set_header("Content-Type", kEventStream);
        return;
    }
    // A page that opens again by itself (after a refusal) names its last row in the query.
    const std::string last = request.has_header("Last-Event-ID") ? request.get_header_value("Last-Event-ID")
                                                                  : request.get_param_value("last");
    auto page = std::make_shared<COverlayPage>();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_open || m_pages.size() >= kMaxOverlayClients) {
            response.status = 503;
            response.set_header("Retry-After", "5");
            return;
        }
        std::string frames = RetryField() + m_state + m_online;
        const std::size_t rows = m_ring.After(last, frames);
        page->Push(frames, rows + 3);
        m_pages.push_back(page);
    }
    response.set_chunked_content_provider(
        kEventStream, [page](std::size_t, httplib::DataSink& sink) { return SendQueued(*page, sink); },
        [this, page](bool) { Forget(page); });
}

void COverlayServer::CState::Forget(const std::shared_ptr<COverlayPage>& page)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pages.erase(std::remove(m_pages.begin(), m_pages.end(), page), m_pages.end());
}

void COverlayServer::CState::SendAll(const std::string& frames, std::size_t events)
{
    m_pages.erase(std::remove_if(m_pages.begin(), m_pages.end(),
                                 [&](const auto& page) { return !page->Push(frames, events); }),
                  m_pages.end());
}

void COverlayServer::CState::Publish(const std::vector<DanmuItem>& items)
{
    if (items.empty())
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string frames;
    for (const DanmuItem& item : items)
        frames += m_ring.Add(item);
    SendAll(frames, items.size());
}

void COverlayServer::CState::Replace(std::string& current, std::string frame)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (frame != current)
        SendAll(frame, 1);
    current.swap(frame);
}

void COverlayServer::CState::SetOnline(std::int32_t count)
{
    Replace(m_online, OnlineEvent(count));
}

void COverlayServer::CState::SetFeedState(const PollOutcome& outcome)
{
    Replace(m_state, StateEvent(outcome));
}

void COverlayServer::CState::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ring.Clear();
    SendAll(ClearEvent(), 1);
}

std::size_t COverlayServer::CState::OpenPages()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pages.size();
}

const char* OverlayStartText(OverlayStart result)
{
    switch (result) {
    case OverlayStart::Started:
        return "已启动";
    case OverlayStart::BadAddress:
        return "地址无效";
    case OverlayStart::AddressUnavailable:
        return "本机没有这个地址";
    case OverlayStart::PortTaken:
        return "端口已被占用";
    case OverlayStart::PortDenied:
        return "没有权限使用这个端口";
    case OverlayStart::PageMissing:
        return "找不到页面文件";
    case OverlayStart::Failed:
        break;
    }
    return "无法启动";
}

COverlayServer::COverlayServer() : m_state(std::make_unique<CState>()) {}

COverlayServer::~COverlayServer()
{
    Stop();
}

OverlayStart COverlayServer::Start(const std::string& bindAddress, int port, const std::string& token,
                                   const std::string& pageFolder)
{
    Stop();
    if (!m_state->LoadPage(pageFolder))
        return OverlayStart::PageMissing;
    m_bindAddress = bindAddress;
    m_state->Open(bindAddress, token);
    auto listener = std::make_unique<COverlayListener>(
        [state = m_state.get()](const httplib::Request& q, httplib::Response& r) { state->Serve(q, r); });
    const OverlayStart result = listener->Listen(bindAddress, port);
    if (result == OverlayStart::Started) {
        m_listener = std::move(listener);
        m_url = OverlayUrl(bindAddress, m_listener->Port(), token);
    } else {
        m_state->CloseAll();
    }
    return result;
}

void COverlayServer::Stop()
{
    m_state->CloseAll();
    m_listener.reset();
    m_url.clear();
}

std::string COverlayServer::Url() const
{
    return m_url;
}

bool COverlayServer::Running() const
{
    return m_listener != nullptr;
}

int COverlayServer::Port() const
{
    return m_listener ? m_listener->Port() : 0;
}

void COverlayServer::Publish(const std::vector<DanmuItem>& items)
{
    m_state->Publish(items);
}

void COverlayServer::SetOnline(std::int32_t count)
{
    m_state->SetOnline(count);
}

void COverlayServer::SetFeedState(const PollOutcome& outcome)
{
    m_state->SetFeedState(outcome);
}

void COverlayServer::Clear()
{
    m_state->Clear();
}

void COverlayServer::ResetToken(const std::string& token)
{
    m_state->CloseAll();
    if (m_listener) {
        m_state->Open(m_bindAddress, token);
        m_url = OverlayUrl(m_bindAddress, m_listener->Port(), token);
    }
}

std::size_t COverlayServer::OpenPages() const
{
    return m_state->OpenPages();
}
