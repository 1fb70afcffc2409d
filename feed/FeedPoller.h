#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "feed/DanmuList.h"
#include "feed/FeedUrls.h"

class CHttpClient;

// Where and how often the poller asks.
struct FeedSettings {
    std::string liveHost;   // live site's web server, host[:port]
    std::string dmsHost;    // message service's API server, host[:port]
    int pauseMs = 3000;     // pause before every cycle, the first included
    std::string dmsKey = BuiltInDmsKey(); // message service's access key
};

// The hosts and key this build was configured with and the 3000 ms pause.
FeedSettings BuiltInFeedSettings();

// Asks the window to rebuild from the list; must not wait for the window.
using RefreshPoster = std::function<void()>;

// The body of the danmaku window's worker thread: every few seconds fetches
// the room's online count and chat history, publishes the items and the
// cycle's outcome to `list` and posts a refresh unless one already waits.
class CFeedPoller {
public:
    CFeedPoller(FeedSettings settings, CDanmuList& list, RefreshPoster postRefresh);

    // Starts the sockets, then runs cycles until `stop` is seen. The flag is
    // tested before the first cycle and after each one, never during one.
    void Run(std::int32_t roomId, const std::atomic<bool>& stop);

    // One cycle without its pause: count first, then history, then publish.
    void PollOnce(std::int32_t roomId);

private:
    // One request whose reply body may be at most maxBody bytes.
    RequestOutcome Fetch(CHttpClient& client, const std::string& host, const std::string& url,
        std::size_t maxBody);

    FeedSettings m_settings;
    CDanmuList& m_list;
    RefreshPoster m_postRefresh;
};
