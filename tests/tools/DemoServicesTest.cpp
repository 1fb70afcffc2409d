#include "tools/DemoServices.h"

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
    explicit Running(DemoOptions options = DemoOptions{}) : services(options) { started = services.Start(); }

    httplib::Result Get(int port, const std::string& path, const std::string& key = DmsAuthorization())
    {
        httplib::Client client("127.0.0.1", port);
        return client.Get(path, key.empty() ? httplib::Headers{} : httplib::Headers{{"Authorization", key}});
    }
    int HistoryStatus(const std::string& path, const std::string& key = DmsAuthorization())
    {
        const httplib::Result reply = Get(services.DmsPort(), path, key);
        EXPECT_TRUE(reply) << path;
        return reply ? reply->status : 0;
    }

    CDemoServices services;
    bool started = false;
};

TEST(DemoServicesTest, ServesBothPathsOnTheirOwnPortsAndHistoryOnlyWithTheKey)
{
    Running demo;
    ASSERT_TRUE(demo.started);
    const httplib::Result online = demo.Get(demo.services.LivePort(), kOnline);
    ASSERT_TRUE(online);
    EXPECT_GE(DecodeOnline(online->body).value_or(0), 1);
    const httplib::Result history = demo.Get(demo.services.DmsPort(), kHistory);
    ASSERT_TRUE(history);
    EXPECT_EQ(DecodeHistory(history->body).size(), 25u);
    EXPECT_EQ(demo.HistoryStatus(kOnline), 404);

    demo.services.KeepRecord();
    EXPECT_EQ(demo.HistoryStatus(kHistory, ""), 401);
    EXPECT_EQ(demo.HistoryStatus(kHistory, "dms s_wrong"), 401);
    const std::vector<SeenRequest> seen = demo.services.Requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].service, "dms");
    EXPECT_EQ(seen[0].target, kHistory);
    EXPECT_EQ(seen[0].authorization, "");
    EXPECT_EQ(seen[1].authorization, "dms s_wrong");
}

TEST(DemoServicesTest, RoomsSpanThe32BitRange)
{
    Running demo;
    ASSERT_TRUE(demo.started);
    const std::pair<const char*, int> cases[] = {
        {"1000000000", 200}, {"2147483647", 200},  {"-2147483648", 200}, {"0", 200},
        {"2147483648", 404}, {"-2147483649", 404}, {"99999999999", 404},
    };
    for (const auto& [room, status] : cases)
        EXPECT_EQ(demo.HistoryStatus(std::string("/v1/historys/") + room + "_orvel/0/25"), status) << room;
}

// The moved copy's reply is chunked and slow and still carries its body.
TEST(DemoServicesTest, RedirectPointsAtAMovedCopy)
{
    DemoOptions options;
    options.redirect = options.chunked = true;
    options.slowMs = 1;
    Running demo(options);
    ASSERT_TRUE(demo.started);
    const httplib::Result moved = demo.Get(demo.services.DmsPort(), kHistory);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->status, 302);
    const std::string copy = std::string("/moved") + kHistory;
    EXPECT_EQ(moved->get_header_value("Location"), "http://127.0.0.1:" + std::to_string(demo.services.DmsPort()) + copy);
    demo.services.KeepRecord();
    const httplib::Result history = demo.Get(demo.services.DmsPort(), copy);
    ASSERT_TRUE(history);
    EXPECT_EQ(history->get_header_value("Transfer-Encoding"), "chunked");
    EXPECT_EQ(DecodeHistory(history->body).size(), 25u);
    EXPECT_EQ(demo.services.Requests().back().body, history->body);
}

TEST(DemoServicesTest, KeepsNoRecordUnlessAskedAndThenOnlyTheNewest)
{
    Running demo;
    ASSERT_TRUE(demo.started);
    ASSERT_TRUE(demo.Get(demo.services.LivePort(), kOnline));
    EXPECT_TRUE(demo.services.Requests().empty());

    demo.services.KeepRecord();
    const std::string path = "/index.php/Welcome/get_live_online?live_id=";
    const std::size_t total = CDemoServices::kRecordLimit + 5;
    httplib::Client client("127.0.0.1", demo.services.LivePort());
    for (std::size_t i = 0; i < total; ++i)
        ASSERT_TRUE(client.Get(path + std::to_string(i)));
    const std::vector<SeenRequest> seen = demo.services.Requests();
    ASSERT_EQ(seen.size(), CDemoServices::kRecordLimit);
    EXPECT_EQ(seen.front().target, path + "5");
    EXPECT_EQ(seen.back().target, path + std::to_string(total - 1));
}

TEST(DemoServicesTest, TakenPortIsReported)
{
    Running first;
    DemoOptions options;
    options.dmsPort = first.services.DmsPort();
    EXPECT_FALSE(Running(options).started);
}

} // namespace
