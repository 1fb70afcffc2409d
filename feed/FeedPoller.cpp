#include "feed/FeedPoller.h"

#include <chrono>
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

void CFeedPoller::PollOnce(std::int32_t roomId)
{
    // A fresh client per cycle: nothing carries over between cycles.
    CHttpClient client;
    client.m_request.SetHeader("Authorization", DmsAuthorization(m_settings.dmsKey));

    client.m_response.m_maxBody = kMaxOnlineBody;
    client.Execute(OnlineUrl(m_settings.liveHost, roomId), kBudgetMs, kRedirectLimit);
    if (std::optional<std::int32_t> online = DecodeOnline(client.m_response.m_body)) {
        m_list.SetOnline(*online);
    }

    client.m_response.m_maxBody = kMaxHistoryBody;
    client.Execute(HistoryUrl(m_settings.dmsHost, roomId), kBudgetMs, kRedirectLimit);
    if (m_list.Publish(DecodeHistory(client.m_response.m_body))) {
        m_postRefresh();
    }
}
