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
    demo.services.KeepRecord();
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
    demo.services.KeepRecord();
    const httplib::Result history = demo.History();
    ASSERT_TRUE(history);
    EXPECT_EQ(history->get_header_value("Transfer-Encoding"), "chunked");
    EXPECT_EQ(DecodeHistory(history->body).size(), 25u);
    EXPECT_EQ(demo.services.Requests().back().body, history->body);
}

TEST(DemoServicesTest, KeepsNoRecordUnlessAskedAndThenOnlyTheNewest)
{
    Running demo;
    ASSERT_TRUE(demo.started);
    ASSERT_TRUE(demo.Online());
    EXPECT_TRUE(demo.services.Requests().empty());

    demo.services.KeepRecord();
    httplib::Client client("127.0.0.1", demo.services.LivePort());
    const std::size_t total = CDemoServices::kRecordLimit + 5;
    for (std::size_t i = 0; i < total; ++i) {
        const std::string path = "/index.php/Welcome/get_live_online?live_id=" + std::to_string(i);
        ASSERT_TRUE(client.Get(path));
    }
    const std::vector<SeenRequest> seen = demo.services.Requests();
    ASSERT_EQ(seen.size(), CDemoServices::kRecordLimit);
    EXPECT_EQ(seen.front().target, "/index.php/Welcome/get_live_online?live_id=5");
    EXPECT_EQ(seen.back().target, "/index.php/Welcome/get_live_online?live_id=" + std::to_string(total - 1));
}

TEST(DemoServicesTest, RoomsSpanThe32BitRange)
{
    Running demo;
    ASSERT_TRUE(demo.started);
    const struct {
        const char* room;
        int status;
    } cases[] = {
        {"1000000000", 200}, {"2147483647", 200},  {"-2147483648", 200}, {"0", 200},
        {"2147483648", 404}, {"-2147483649", 404}, {"99999999999", 404},
    };
    for (const auto& c : cases) {
        const std::string path = std::string("/v1/historys/") + c.room + "_orvel/0/25";
        const httplib::Result history = demo.Get(demo.services.DmsPort(), path.c_str());
        ASSERT_TRUE(history) << c.room;
        EXPECT_EQ(history->status, c.status) << c.room;
        if (c.status == 200) {
            EXPECT_EQ(DecodeHistory(history->body).size(), 25u) << c.room;
        }
    }
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
