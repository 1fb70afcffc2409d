#include "tools/DemoServices.h"

#include <memory>

#include <gtest/gtest.h>
#include <httplib.h>

#include "feed/FeedDecode.h"
#include "feed/FeedUrls.h"

namespace {

const char kOnline[] = "/index.php/Welcome/get_live_online?live_id=1000";
const char kHistory[] = "/v1/historys/1000_orvel/0/25";

// The demo services on free loopback ports, for one test.
class Running {
public:
    explicit Running(DemoOptions options = DemoOptions{}) : services(options)
    {
        started = services.Start();
    }

    httplib::Result Get(int port, const char* path, bool authorized = true)
    {
        httplib::Client client("127.0.0.1", port);
        httplib::Headers headers;
        if (authorized) {
            headers.emplace("Authorization", DmsAuthorization());
        }
        return client.Get(path, headers);
    }
    httplib::Result Online() { return Get(services.LivePort(), kOnline); }
    httplib::Result History(bool authorized = true) { return Get(services.DmsPort(), kHistory, authorized); }

    CDemoServices services;
    bool started = false;
};

TEST(DemoServicesTest, ServesBothPathsOnTheirOwnPorts)
{
    Running demo;
    ASSERT_TRUE(demo.started);
    EXPECT_NE(demo.services.LivePort(), demo.services.DmsPort());

    const httplib::Result online = demo.Online();
    ASSERT_TRUE(online);
    EXPECT_EQ(online->status, 200);
    EXPECT_GE(DecodeOnline(online->body).value_or(0), 1);

    const httplib::Result history = demo.History();
    ASSERT_TRUE(history);
    EXPECT_EQ(history->status, 200);
    EXPECT_EQ(DecodeHistory(history->body).size(), 25u);

    EXPECT_EQ(demo.Get(demo.services.DmsPort(), kOnline)->status, 404);
}

TEST(DemoServicesTest, HistoryNeedsTheAccessKey)
{
    Running demo;
    ASSERT_TRUE(demo.started);
    EXPECT_EQ(demo.History(false)->status, 401);
    httplib::Client client("127.0.0.1", demo.services.DmsPort());
    EXPECT_EQ(client.Get(kHistory, {{"Authorization", "dms s_wrong"}})->status, 401);
    EXPECT_EQ(demo.History(true)->status, 200);

    const std::vector<SeenRequest> seen = demo.services.Requests();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].service, "dms");
    EXPECT_EQ(seen[0].target, kHistory);
    EXPECT_EQ(seen[0].authorization, "");
    EXPECT_EQ(seen[1].authorization, "dms s_wrong");
    EXPECT_EQ(seen[2].authorization, DmsAuthorization());
}

TEST(DemoServicesTest, RedirectPointsAtAMovedCopy)
{
    DemoOptions options;
    options.redirect = true;
    Running demo(options);
    ASSERT_TRUE(demo.started);
    const httplib::Result moved = demo.History();
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->status, 302);
    const std::string location = moved->get_header_value("Location");
    EXPECT_EQ(location, "http://127.0.0.1:" + std::to_string(demo.services.DmsPort()) + "/moved" + kHistory);

    httplib::Client follow("127.0.0.1", demo.services.DmsPort());
    follow.set_follow_location(true);
    const httplib::Result history = follow.Get(kHistory, {{"Authorization", DmsAuthorization()}});
    ASSERT_TRUE(history);
    EXPECT_EQ(history->status, 200);
    EXPECT_FALSE(DecodeHistory(history->body).empty());
}

TEST(DemoServicesTest, ChunkedAndSlowRepliesCarryTheSameBodies)
{
    DemoOptions options;
    options.chunked = true;
    options.slowMs = 1;
    Running demo(options);
    ASSERT_TRUE(demo.started);
    const httplib::Result history = demo.History();
    ASSERT_TRUE(history);
    EXPECT_EQ(history->get_header_value("Transfer-Encoding"), "chunked");
    EXPECT_EQ(DecodeHistory(history->body).size(), 25u);
    EXPECT_EQ(demo.services.Requests().back().body, history->body);
}

TEST(DemoServicesTest, TakenPortIsReported)
{
    Running first;
    ASSERT_TRUE(first.started);
    DemoOptions options;
    options.dmsPort = first.services.DmsPort();
    Running second(options);
    EXPECT_FALSE(second.started);
}

} // namespace
