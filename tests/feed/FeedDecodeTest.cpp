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

std::string DeepArray(int depth)
{
    return std::string(depth, '[') + std::string(depth, ']');
}

struct OnlineCase {
    const char* name;
    std::string body;
    std::optional<std::int32_t> count;
};

void PrintTo(const OnlineCase& c, std::ostream* os) { *os << c.name; }

class DecodeOnlineTest : public testing::TestWithParam<OnlineCase> {};

TEST_P(DecodeOnlineTest, TakesOnlyAStringOnlineMember)
{
    EXPECT_EQ(DecodeOnline(GetParam().body), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(Replies, DecodeOnlineTest, testing::Values(
    OnlineCase{"String37", R"({"online":"37"})", 37},
    OnlineCase{"Number37", R"({"online":37})", std::nullopt},
    OnlineCase{"OtherMembersIgnored", R"({"code":0,"online":"8","live_id":3})", 8},
    OnlineCase{"Missing", R"({"count":"8"})", std::nullopt},
    OnlineCase{"Array", R"([{"online":"8"}])", std::nullopt},
    OnlineCase{"BareString", R"("8")", std::nullopt},
    OnlineCase{"Null", "null", std::nullopt},
    OnlineCase{"Unparsable", "<html>busy</html>", std::nullopt},
    OnlineCase{"Empty", "", std::nullopt},
    OnlineCase{"DeepNesting", DeepArray(100000), std::nullopt}),
    [](const testing::TestParamInfo<OnlineCase>& info) { return info.param.name; });

struct MessageCase {
    const char* name;
    std::string document;
    std::optional<DanmuItem> item;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class DecodeMessageTest : public testing::TestWithParam<MessageCase> {};

TEST_P(DecodeMessageTest, FollowsTheExactTypesAndWords)
{
    const std::optional<DanmuItem> item = DecodeMessage(GetParam().document);
    ASSERT_EQ(item.has_value(), GetParam().item.has_value());
    if (item) {
        EXPECT_EQ(item->nick, GetParam().item->nick);
        EXPECT_EQ(item->msg, GetParam().item->msg);
        EXPECT_EQ(item->level, GetParam().item->level);
        EXPECT_EQ(item->gift, GetParam().item->gift);
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, DecodeMessageTest, testing::Values(
    MessageCase{"Normal", Chat("A", "hi", 2), DanmuItem{u"A:", u"hi", 2}},
    MessageCase{"Gift", R"({"nickname":"A","msgType":"gift","giftName":"B","level":3})",
                DanmuItem{u"A:", u"送出了[B]", 3, true}},
    MessageCase{"ChatReadingLikeAGift", Chat("A", "送出了[B]", 3), DanmuItem{u"A:", u"送出了[B]", 3, false}},
    MessageCase{"NormalWithCapital", R"({"nickname":"A","msgType":"Normal","msg":"hi","level":1})",
                DanmuItem{u"A:", u"", 1}},
    MessageCase{"OtherKind", R"({"nickname":"A","msgType":"enter","msg":"hi"})", DanmuItem{u"A:", u"", 0}},
    MessageCase{"GiftWithoutName", R"({"nickname":"A","msgType":"gift","msg":"hi"})", DanmuItem{u"A:", u"", 0, true}},
    MessageCase{"KindNotString", R"({"nickname":"A","msgType":1,"msg":"hi"})", DanmuItem{u"A:", u"", 0}},
    MessageCase{"TextNotString", R"({"nickname":"A","msgType":"normal","msg":5})", DanmuItem{u"A:", u"", 0}},
    MessageCase{"NoNickname", R"({"msgType":"normal","msg":"hi"})", DanmuItem{u"", u"hi", 0}},
    MessageCase{"NicknameNotString", R"({"nickname":7,"msgType":"normal","msg":"hi"})", DanmuItem{u"", u"hi", 0}},
    MessageCase{"EmptyNickname", R"({"nickname":"","msgType":"normal","msg":"hi"})", DanmuItem{u":", u"hi", 0}},
    MessageCase{"LevelAsString", R"({"msgType":"normal","msg":"hi","level":"3"})", DanmuItem{u"", u"hi", 0}},
    MessageCase{"LevelAsWholeReal", R"({"msgType":"normal","msg":"hi","level":3.0})", DanmuItem{u"", u"hi", 0}},
    MessageCase{"LevelBeyond32Bits", R"({"msgType":"normal","msg":"hi","level":4000000000})", DanmuItem{u"", u"hi", 0}},
    MessageCase{"LevelNegative", R"({"msgType":"normal","msg":"hi","level":-4})", DanmuItem{u"", u"hi", -4}},
    MessageCase{"InvalidUtf8", Chat("A\xff", "x\xe4\xb8", 1), DanmuItem{u"A\uFFFD:", u"x\uFFFD", 1}},
    MessageCase{"EscapedNulEndsText", R"({"nickname":"A\u0000B","msgType":"normal","msg":"hi"})", DanmuItem{u"A:", u"hi", 0}},
    MessageCase{"NullDocument", "null", DanmuItem{}},
    MessageCase{"ArrayDocument", "[1]", std::nullopt},
    MessageCase{"NotJson", "hello", std::nullopt},
    MessageCase{"DeepNesting", R"({"nickname":"A","x":)" + DeepArray(100000) + "}", std::nullopt}),
    [](const testing::TestParamInfo<MessageCase>& info) { return info.param.name; });

std::vector<std::u16string> Texts(const std::vector<DanmuItem>& items)
{
    std::vector<std::u16string> texts;
    for (const DanmuItem& item : items) {
        texts.push_back(item.msg);
    }
    return texts;
}

using TextList = std::vector<std::u16string>;

struct HistoryCase {
    const char* name;
    std::string body;
    std::optional<TextList> texts;  // nothing: an unreadable reply, told apart from an empty one
};

void PrintTo(const HistoryCase& c, std::ostream* os) { *os << c.name; }

class DecodeHistoryTest : public testing::TestWithParam<HistoryCase> {};

TEST_P(DecodeHistoryTest, ReversesUsableElementsAndSkipsTheRest)
{
    EXPECT_EQ(ReadHistory(GetParam().body).has_value(), GetParam().texts.has_value());
    EXPECT_EQ(Texts(DecodeHistory(GetParam().body)), GetParam().texts.value_or(TextList{}));
}

const std::string kA = Element(Chat("n", "A", 1));
const std::string kB = Element(Chat("n", "B", 1));
const std::string kC = Element(Chat("n", "C", 1));

INSTANTIATE_TEST_SUITE_P(Replies, DecodeHistoryTest, testing::Values(
    HistoryCase{"ReverseOrder", History({kA, kB, kC}), TextList{u"C", u"B", u"A"}},
    HistoryCase{"EmptyArray", "[]", TextList{}},
    HistoryCase{"Null", "null", TextList{}},
    HistoryCase{"Object", "{\"0\":" + kA + "}", std::nullopt},
    HistoryCase{"Unparsable", "[" + kA + ",", std::nullopt},
    HistoryCase{"Empty", "", std::nullopt},
    HistoryCase{"MsgIsObject", History({kA, R"({"msg":{"msgType":"normal","msg":"X"}})", kC}), TextList{u"C", u"A"}},
    HistoryCase{"MsgNotJson", History({kA, Element("not json"), kC}), TextList{u"C", u"A"}},
    HistoryCase{"MsgMissing", History({kA, R"({"text":"X"})"}), TextList{u"A"}},
    HistoryCase{"ElementsNotObjects", History({kA, "42", "\"x\"", "[1,2]", "null", kC}), TextList{u"C", u"A"}},
    HistoryCase{"DeepReply", "[" + kA + "," + DeepArray(100000) + "]", std::nullopt},
    HistoryCase{"OtherKindsStayAsItems", History({kA, Element(R"({"msgType":"like"})")}), TextList{u"", u"A"}}),
    [](const testing::TestParamInfo<HistoryCase>& info) { return info.param.name; });

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
