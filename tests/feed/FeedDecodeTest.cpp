#include "feed/FeedDecode.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <json/json.h>

namespace {

// A history element whose "msg" member holds `document` as a JSON string.
std::string Element(const std::string& document)
{
    return R"({"id":7,"msg":)" + Json::valueToQuotedString(document.c_str()) + "}";
}

std::string History(const std::vector<std::string>& elements)
{
    std::string body = "[";
    for (const std::string& element : elements) {
        body += (body.size() > 1 ? "," : "") + element;
    }
    return body + "]";
}

std::string Chat(const std::string& nick, const std::string& text, int level)
{
    return R"({"nickname":")" + nick + R"(","msgType":"normal","msg":")" + text +
           R"(","level":)" + std::to_string(level) + "}";
}

TEST(DecodeOnlineTest, TakesOnlyAStringOnlineMember)
{
    const std::pair<std::string, std::optional<std::int32_t>> cases[] = {
        {R"({"online":"37"})", 37}, {R"({"online":37})", std::nullopt},
        {R"({"code":0,"online":"8","live_id":3})", 8}, {R"({"count":"8"})", std::nullopt},
        {R"([{"online":"8"}])", std::nullopt}, {R"("8")", std::nullopt}, {"null", std::nullopt},
        {"<html>busy</html>", std::nullopt}, {"", std::nullopt}};
    for (const auto& [body, count] : cases)
        EXPECT_EQ(DecodeOnline(body), count) << body;
}

// A member of another type than its own counts as missing.
TEST(DecodeMessageTest, FollowsTheExactTypesAndWords)
{
    const struct { const char* name; std::string document; std::optional<DanmuItem> item; } cases[] = {
        {"Normal", Chat("A", "hi", 2), DanmuItem{u"A:", u"hi", 2}},
        {"Gift", R"({"nickname":"A","msgType":"gift","giftName":"B","level":3})", DanmuItem{u"A:", u"送出了[B]", 3, true}},
        {"ChatReadingLikeAGift", Chat("A", "送出了[B]", 3), DanmuItem{u"A:", u"送出了[B]", 3, false}},
        {"NormalWithCapital", R"({"nickname":"A","msgType":"Normal","msg":"hi","level":1})", DanmuItem{u"A:", u"", 1}},
        {"OtherKind", R"({"nickname":"A","msgType":"enter","msg":"hi"})", DanmuItem{u"A:", u"", 0}},
        {"GiftWithoutName", R"({"nickname":"A","msgType":"gift","msg":"hi"})", DanmuItem{u"A:", u"", 0, true}},
        {"KindNotString", R"({"nickname":"A","msgType":1,"msg":"hi"})", DanmuItem{u"A:", u"", 0}},
        {"NoNickname", R"({"msgType":"normal","msg":"hi"})", DanmuItem{u"", u"hi", 0}},
        {"EmptyNickname", R"({"nickname":"","msgType":"normal","msg":"hi"})", DanmuItem{u":", u"hi", 0}},
        {"LevelAsWholeReal", R"({"msgType":"normal","msg":"hi","level":3.0})", DanmuItem{u"", u"hi", 0}},
        {"LevelBeyond32Bits", R"({"msgType":"normal","msg":"hi","level":4000000000})", DanmuItem{u"", u"hi", 0}},
        {"LevelNegative", R"({"msgType":"normal","msg":"hi","level":-4})", DanmuItem{u"", u"hi", -4}},
        {"InvalidUtf8", Chat("A\xff", "x\xe4\xb8", 1), DanmuItem{u"A\uFFFD:", u"x\uFFFD", 1}},
        {"EscapedNulEndsText", R"({"nickname":"A\u0000B","msgType":"normal","msg":"hi"})", DanmuItem{u"A:", u"hi", 0}},
        {"NullDocument", "null", DanmuItem{}},
        {"ArrayDocument", "[1]", std::nullopt},
        {"NotJson", "hello", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<DanmuItem> item = DecodeMessage(c.document);
        ASSERT_EQ(item.has_value(), c.item.has_value());
        if (item) {
            EXPECT_EQ(item->nick, c.item->nick);
            EXPECT_EQ(item->msg, c.item->msg);
            EXPECT_EQ(item->level, c.item->level);
            EXPECT_EQ(item->gift, c.item->gift);
        }
    }
}

// Unusable elements are skipped; nothing stands for an unreadable reply, told
// apart from an empty one.
TEST(DecodeHistoryTest, ReversesUsableElementsAndSkipsTheRest)
{
    using TextList = std::vector<std::u16string>;
    const std::string a = Element(Chat("n", "A", 1)), c = Element(Chat("n", "C", 1));
    const struct { const char* name; std::string body; std::optional<TextList> texts; } cases[] = {
        {"ReverseOrder", History({a, Element(Chat("n", "B", 1)), c}), TextList{u"C", u"B", u"A"}},
        {"EmptyArray", "[]", TextList{}},
        {"Null", "null", TextList{}},
        {"Object", "{\"0\":" + a + "}", std::nullopt},
        {"Unparsable", "[" + a + ",", std::nullopt},
        {"Empty", "", std::nullopt},
        {"MsgIsObject", History({a, R"({"msg":{"msgType":"normal","msg":"X"}})", c}), TextList{u"C", u"A"}},
        {"MsgNotJson", History({a, Element("not json"), c}), TextList{u"C", u"A"}},
        {"MsgMissing", History({a, R"({"text":"X"})"}), TextList{u"A"}},
        {"ElementsNotObjects", History({a, "42", "\"x\"", "[1,2]", "null", c}), TextList{u"C", u"A"}},
        {"DeepReply", "[" + a + "," + std::string(100000, '[') + std::string(100000, ']') + "]", std::nullopt},
        {"OtherKindsStayAsItems", History({a, Element(R"({"msgType":"like"})")}), TextList{u"", u"A"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(ReadHistory(k.body).has_value(), k.texts.has_value());
        TextList texts;
        for (const DanmuItem& item : DecodeHistory(k.body))
            texts.push_back(item.msg);
        EXPECT_EQ(texts, k.texts.value_or(TextList{}));
    }
}

TEST(FeedBoundsTest, EveryTextFieldOfAMessageIsBounded)
{
    const std::string longText(3000, 'T');
    const std::vector<DanmuItem> chat = DecodeHistory(History({Element(Chat(std::string(3000, 'N'), longText, 1))}));
    ASSERT_EQ(chat.size(), 1u);
    EXPECT_EQ(chat[0].nick.size(), kMaxTextUnits + 1) << "the cut nickname, then its colon";
    EXPECT_EQ(chat[0].nick.substr(kMaxTextUnits - 1), u"\u2026:");
    EXPECT_EQ(chat[0].msg, std::u16string(kMaxTextUnits - 1, u'T') + u"\u2026");

    const std::optional<DanmuItem> gift = DecodeMessage(R"({"msgType":"gift","giftName":")" + longText + R"("})");
    ASSERT_TRUE(gift);
    EXPECT_EQ(gift->msg.size(), kMaxTextUnits + 5) << "送出了[, the cut name, ]";
}

// The reply is newest first: only its first elements are read.
TEST(FeedBoundsTest, OnlyTheNewestElementsOfAReplyAreKept)
{
    for (std::size_t count : {kMaxHistoryItems, kMaxHistoryItems + 1}) {
        std::vector<std::string> elements;
        for (std::size_t i = 0; i < count; ++i) {
            elements.push_back(Element(Chat("n", std::to_string(i), 1)));
        }
        const std::vector<DanmuItem> items = DecodeHistory(History(elements));
        ASSERT_EQ(items.size(), kMaxHistoryItems) << count;
        EXPECT_EQ(items.back().msg, u"0");  // the newest, shown last
        EXPECT_EQ(items.front().msg, u"199");
    }
}

} // namespace
