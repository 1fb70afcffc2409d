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

// What the feed makes of a reply of each shape.
TEST(ChatGeneratorTest, ShapesBendTheChatAsAsked)
{
    CChatGenerator talkative(3, ChatShape{300, 0, 0});
    int chats = 0;
    for (const std::string& element : talkative.NextHistory(1, 25)) {
        const std::u16string text = DecodeMessage(Parse(element)["msg"].asString())->msg;
        if (text.rfind(u"送出了[", 0) != 0 && !text.empty()) {
            EXPECT_EQ(text.size(), 300u);
            ++chats;
        }
    }
    EXPECT_GT(chats, 0);

    EXPECT_EQ(CChatGenerator(3, ChatShape{0, 10000, 0}).NextHistory(1, 25).size(), 10000u) << "whatever the request asks";

    CChatGenerator flooded(3, ChatShape{0, 0, 1 << 20});
    for (int round = 0; round < 2; ++round) {
        const std::vector<std::string> elements = flooded.NextHistory(1, 25);
        ASSERT_EQ(elements.size(), 26u);
        const Json::Value document = Parse(Parse(elements.front())["msg"].asString());
        EXPECT_EQ(document["msg"].asString().size(), static_cast<size_t>(1 << 20)) << "newest in every reply";
    }
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
