#include "tools/ChatGenerator.h"

#include <set>

#include <gtest/gtest.h>
#include <json/json.h>

#include "feed/FeedDecode.h"

namespace {

Json::Value Parse(const std::string& text)
{
    Json::Value value;
    EXPECT_TRUE(Json::Reader().parse(text, value)) << text;
    return value;
}

TEST(ChatGeneratorTest, HistoryIsNewestFirstAndAtMost25)
{
    CChatGenerator chat(7);
    for (int limit : {100, 25, 3, 0}) {
        const std::vector<std::string> elements = chat.NextHistory(1000, limit);
        EXPECT_EQ(elements.size(), static_cast<size_t>(std::min(limit, 25)));
        long long previousId = -1;
        for (const std::string& element : elements) {
            const long long id = std::stoll(Parse(element)["id"].asString());
            EXPECT_TRUE(previousId < 0 || id < previousId);
            previousId = id;
        }
    }
}

TEST(ChatGeneratorTest, EveryElementIsAMessageTheFeedCanShow)
{
    CChatGenerator chat(11);
    std::set<std::string> kinds;
    for (int round = 0; round < 200; ++round) {
        for (const std::string& element : chat.NextHistory(5, 25)) {
            const Json::Value value = Parse(element);
            EXPECT_EQ(value["room"].asString(), "5_orvel");
            ASSERT_TRUE(value["msg"].isString());
            kinds.insert(Parse(value["msg"].asString())["msgType"].asString());
            const std::optional<DanmuItem> item = DecodeMessage(value["msg"].asString());
            ASSERT_TRUE(item.has_value());
            EXPECT_EQ(item->nick.back(), u':');
            EXPECT_GE(item->level, CChatGenerator::kMinLevel);
            EXPECT_LE(item->level, CChatGenerator::kMaxLevel);
        }
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"normal", "gift", "enter", "like", "follow"}));
}

TEST(ChatGeneratorTest, OnlineDriftsAndStaysPositive)
{
    CChatGenerator chat(3);
    std::set<std::int32_t> seen;
    for (int i = 0; i < 200; ++i) {
        const std::int32_t online = chat.NextOnline();
        EXPECT_GE(online, 1);
        seen.insert(online);
    }
    EXPECT_GT(seen.size(), 20u);
}

} // namespace
