#include "feed/FeedPoller.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>

#include "feed/FeedDecode.h"
#include "feed/FeedUrls.h"
#include "http/HttpClient.h"
#include "support/Socket.h"

namespace {

constexpr int kBudgetMs = 180000;
constexpr int kRedirectLimit = 10;
// The longest reply bodies taken: far above what the services send, far
// below what would hurt. A longer reply fails and changes nothing.
constexpr std::size_t kMaxOnlineBody = 64 << 10;
constexpr std::size_t kMaxHistoryBody = 4 << 20;

} // namespace

FeedSettings BuiltInFeedSettings()
{
    return FeedSettings{ORVEL_LIVE_HOST, ORVEL_DMS_HOST, 3000};
}

CFeedPoller::CFeedPoller(FeedSettings settings, CDanmuList& list, RefreshPoster postRefresh)
    : m_settings(std::move(settings)), m_list(list), m_postRefresh(std::move(postRefresh))
{
}

void CFeedPoller::Run(std::int32_t roomId, const std::atomic<bool>& stop)
{
    // Only a check that sockets work; the transfers fail on their own if not.
    SocketClose(SocketStartup());
    while (!stop.load(std::memory_order_relaxed)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(m_settings.pauseMs));
        PollOnce(roomId);
    }
}

RequestOutcome CFeedPoller::Fetch(CHttpClient& client, const std::string& host, const std::string& url,
    std::size_t maxBody)
{
    RequestOutcome outcome;
    outcome.host = host;
    client.m_response.m_maxBody = maxBody;
    client.Execute(url, kBudgetMs, kRedirectLimit);
    outcome.error = client.m_error;
    outcome.status = std::atoi(client.m_response.m_status.c_str());
    return outcome;
}

void CFeedPoller::PollOnce(std::int32_t roomId)
{
    // A fresh client per cycle: nothing carries over between cycles.
    CHttpClient client;
    client.m_request.SetHeader("Authorization", DmsAuthorization(m_settings.dmsKey));
    PollOutcome outcome;
    outcome.reported = true;

    outcome.online = Fetch(client, m_settings.liveHost, OnlineUrl(m_settings.liveHost, roomId), kMaxOnlineBody);
    if (std::optional<std::int32_t> online = DecodeOnline(client.m_response.m_body)) {
        m_list.SetOnline(*online);
        outcome.online.decoded = true;
    }

    outcome.history = Fetch(client, m_settings.dmsHost, HistoryUrl(m_settings.dmsHost, roomId), kMaxHistoryBody);
    std::optional<std::vector<DanmuItem>> items = ReadHistory(client.m_response.m_body);
    outcome.history.decoded = items.has_value();
    if (items) {
        m_list.Publish(std::move(*items));
    }
    m_list.Report(outcome);
    if (m_list.ClaimRefresh()) {
        m_postRefresh();
    }
}
