#include "feed/FeedPoller.h"

#include <atomic>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "feed/FeedDecode.h"
#include "feed/FeedUrls.h"
#include "feed/PollOutcome.h"
#include "ScriptedServer.h"
#include "tools/DemoServices.h"

namespace {

// The demo services on free loopback ports, a list, and a poller aimed at
// them that does not pause between cycles.
class Feed {
public:
    explicit Feed(DemoOptions options = DemoOptions{}) : services(options)
    {
        services.KeepRecord();
        EXPECT_TRUE(services.Start());
        settings = FeedSettings{"127.0.0.1:" + std::to_string(services.LivePort()),
                                "127.0.0.1:" + std::to_string(services.DmsPort()), 0};
    }

    CFeedPoller Poller(RefreshPoster post = nullptr)
    {
        // By default the window's part too: each refresh is taken at once.
        return CFeedPoller(settings, list, post ? post : [this] {
            ++posts;
            list.RefreshTaken();
        });
    }

    CDemoServices services;
    FeedSettings settings;
    CDanmuList list;
    int posts = 0;
};

TEST(FeedPollerTest, OneCycleAsksBothWithTheKeyAndPublishesWhatTheyAnswered)
{
    Feed feed;
    feed.Poller().PollOnce(1000);
    EXPECT_EQ(feed.posts, 1);
    const std::vector<SeenRequest> seen = feed.services.Requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].target, "/index.php/Welcome/get_live_online?live_id=1000");
    EXPECT_EQ(seen[1].target, "/v1/historys/1000_orvel/0/25");
    for (const SeenRequest& request : seen) {
        EXPECT_EQ(request.authorization, "dms s_7c3e91a0d25b48f6e0a9c4d1b8f27e63");
    }
    EXPECT_EQ(feed.list.Online(), DecodeOnline(seen[0].body));
    EXPECT_EQ(feed.list.Snapshot(), DecodeHistory(seen[1].body));
    EXPECT_EQ(feed.list.Snapshot().size(), 25u);
}

DemoOptions Served(OnlineMode online, HistoryMode history, bool redirectAndChunk = false)
{
    DemoOptions options;
    options.online = online;
    options.history = history;
    options.redirect = options.chunked = redirectAndChunk;
    return options;
}

// A bad reply costs only itself: the count and the list it would have set
// keep their values, the other request of the cycle still happens, and the
// cycle's outcome, good or bad, reaches the window with one refresh (reason:
// what the window would say, empty when all went well).
TEST(FeedPollerTest, BadReplyKeepsWhatItWouldHaveReplaced)
{
    const char* unparsable = "服务器回复无法解析";
    const struct { const char* name; DemoOptions options; bool countTaken, published; const char* reason; } cases[] = {
        {"OnlineUnparsable", Served(OnlineMode::Unparsable, HistoryMode::Ok), false, true, unparsable},
        {"OnlineArray", Served(OnlineMode::Array, HistoryMode::Ok), false, true, unparsable},
        {"OnlineNumber", Served(OnlineMode::Number, HistoryMode::Ok), false, true, unparsable},
        {"HistoryObject", Served(OnlineMode::Ok, HistoryMode::Object), true, false, unparsable},
        {"HistoryEmpty", Served(OnlineMode::Ok, HistoryMode::Empty), true, false, ""},
        {"HistoryUnparsable", Served(OnlineMode::Ok, HistoryMode::Unparsable), true, false, unparsable},
        {"RedirectedAndChunked", Served(OnlineMode::Ok, HistoryMode::Ok, true), true, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Feed feed(c.options);
        feed.list.SetOnline(-7);
        feed.list.Publish({DanmuItem{u"old:", u"kept", 1}});
        feed.Poller().PollOnce(1000);
        EXPECT_EQ(feed.list.Online() != -7, c.countTaken);
        EXPECT_EQ(feed.posts, 1);
        EXPECT_EQ(FailureReason(feed.list.LastOutcome()), c.reason);
        const std::vector<DanmuItem> items = feed.list.Snapshot();
        EXPECT_EQ(items.size() == 1 && items[0].msg == u"kept", !c.published);
        EXPECT_EQ(feed.services.Requests().back().service, "dms");
    }
}

// A cycle whose requests fail changes nothing but says why.
TEST(FeedPollerTest, FailedRequestsChangeNothingButSayWhy)
{
    const BoundPort refusing;  // not listening: connections are refused
    Feed feed;
    const std::string dms = feed.settings.dmsHost;
    const struct { FeedSettings settings; std::string reason; } cases[] = {
        {{refusing.Host(), refusing.Host(), 0}, "无法连接 " + refusing.Host()},
        {{dms, dms, 0}, "服务器错误 (404)"},  // the live path is not served there
    };
    for (const auto& c : cases) {
        CDanmuList list;
        list.SetOnline(3);
        int posts = 0;
        CFeedPoller(c.settings, list, [&] { ++posts; }).PollOnce(1000);
        EXPECT_EQ(list.Online(), 3);
        EXPECT_EQ(posts, 1);
        EXPECT_EQ(FailureReason(list.LastOutcome()), c.reason);
    }
}

// The window takes no refresh while the worker goes on: one refresh waits,
// the others are dropped, and the one that waits reads the newest list.
TEST(FeedPollerTest, RefreshesNeverPileUp)
{
    Feed feed;
    int posted = 0;
    CFeedPoller poller = feed.Poller([&] { ++posted; });
    for (int cycle = 0; cycle < 4; ++cycle) {
        poller.PollOnce(1000);
    }
    EXPECT_EQ(posted, 1);
    const std::vector<DanmuItem> newest = feed.list.Snapshot();
    feed.list.RefreshTaken();
    poller.PollOnce(1000);
    EXPECT_EQ(posted, 2);
    EXPECT_NE(feed.list.Snapshot(), newest);
}

TEST(FeedPollerTest, RunTestsTheStopFlagBeforeEveryCycle)
{
    Feed feed;
    std::atomic<bool> stop{true};
    feed.Poller().Run(1000, stop);
    EXPECT_TRUE(feed.services.Requests().empty());

    stop = false;
    // The flag is set during the second cycle; that cycle still completes.
    feed.Poller([&] {
        feed.list.RefreshTaken();
        if (++feed.posts == 2) {
            stop = true;
        }
    }).Run(1000, stop);
    EXPECT_EQ(feed.posts, 2);
    EXPECT_EQ(feed.services.Requests().size(), 4u);
}

} // namespace
