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

// Histories are newest first and at most 25 long, made of messages the feed
// can show; the viewer count drifts and stays positive.
TEST(ChatGeneratorTest, EveryElementIsAMessageTheFeedCanShow)
{
    CChatGenerator chat(11);
    std::set<std::string> kinds;
    std::set<std::int32_t> online;
    for (int round = 0; round < 200; ++round) {
        const int limit = std::vector<int>{100, 25, 3, 0}[round % 4];
        const std::vector<std::string> elements = chat.NextHistory(5, limit);
        EXPECT_EQ(elements.size(), static_cast<size_t>(std::min(limit, 25)));
        long long previousId = -1;
        for (const std::string& element : elements) {
            const Json::Value value = Parse(element);
            const long long id = std::stoll(value["id"].asString());
            EXPECT_TRUE(previousId < 0 || id < previousId);
            previousId = id;
            EXPECT_EQ(value["room"].asString(), "5_orvel");
            ASSERT_TRUE(value["msg"].isString());
            kinds.insert(Parse(value["msg"].asString())["msgType"].asString());
            const std::optional<DanmuItem> item = DecodeMessage(value["msg"].asString());
            ASSERT_TRUE(item.has_value());
            EXPECT_EQ(item->nick.back(), u':');
            EXPECT_GE(item->level, CChatGenerator::kMinLevel);
            EXPECT_LE(item->level, CChatGenerator::kMaxLevel);
        }
        online.insert(chat.NextOnline());
        EXPECT_GE(*online.begin(), 1);
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"normal", "gift", "enter", "like", "follow"}));
    EXPECT_GT(online.size(), 20u);
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

} // namespace
