// The access key a user configures is the one the poller sends; the demo
// services refuse any other.

#include <gtest/gtest.h>

#include "feed/FeedPoller.h"
#include "tools/DemoServices.h"

TEST(ServiceKeyTest, TheConfiguredKeyIsSentAndAWrongOneGetsNothing)
{
    CDemoServices services{DemoOptions{}};
    services.KeepRecord();
    ASSERT_TRUE(services.Start());
    const std::string live = "127.0.0.1:" + std::to_string(services.LivePort());
    const std::string dms = "127.0.0.1:" + std::to_string(services.DmsPort());
    for (const std::string& key : {std::string("s_not_the_key"), BuiltInDmsKey()}) {
        CDanmuList list;
        FeedSettings settings{live, dms, 0};
        settings.dmsKey = key;
        CFeedPoller(settings, list, [] {}).PollOnce(1000);
        const std::vector<SeenRequest> seen = services.Requests();
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back().authorization, "dms " + key);
        EXPECT_EQ(seen.back().status, key == BuiltInDmsKey() ? 200 : 401);
        EXPECT_EQ(list.Snapshot().empty(), key != BuiltInDmsKey());
    }
}
