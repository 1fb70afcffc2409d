// What one history reply may cost: its newest kMaxHistoryItems elements,
// kMaxTextUnits per text, cut where a character ends.

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <json/json.h>

#include "feed/FeedDecode.h"
#include "feed/ToWide.h"

namespace {

std::string Element(const std::string& nick, const std::string& text)
{
    Json::Value message;
    message["nickname"] = nick;
    message["msgType"] = "normal";
    message["msg"] = text;
    message["level"] = 1;
    Json::Value element;
    element["msg"] = Json::FastWriter().write(message);
    return Json::FastWriter().write(element);
}

std::string History(int count, const std::string& text)
{
    std::string body = "[";
    for (int i = 0; i < count; ++i) {
        body += (i ? "," : "") + Element("n", text + std::to_string(i));
    }
    return body + "]";
}

bool EndsInEllipsis(const std::u16string& text)
{
    return !text.empty() && text.back() == u'\u2026';
}

struct CutCase {
    const char* name;
    std::string unit;      // one character, repeated
    size_t unitsPerChar;   // its length in UTF-16
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class TextCutTest : public testing::TestWithParam<CutCase> {};

// Around the bound, at every length: the text stays whole up to it, and
// past it ends in "…" within the bound with no half character before.
TEST_P(TextCutTest, LongTextsEndInAnEllipsisWithinTheBound)
{
    const CutCase& c = GetParam();
    for (size_t chars = (kMaxTextUnits - 4) / c.unitsPerChar; chars * c.unitsPerChar <= kMaxTextUnits + 4; ++chars) {
        std::string utf8;
        for (size_t i = 0; i < chars; ++i) {
            utf8 += c.unit;
        }
        const std::u16string whole = ToWide(utf8);
        const std::u16string cut = ToWide(utf8, kMaxTextUnits);
        if (whole.size() <= kMaxTextUnits) {
            EXPECT_EQ(cut, whole) << chars;
            continue;
        }
        ASSERT_TRUE(EndsInEllipsis(cut)) << chars;
        EXPECT_LE(cut.size(), kMaxTextUnits);
        EXPECT_GE(cut.size(), kMaxTextUnits - 1);
        const std::u16string kept = cut.substr(0, cut.size() - 1);
        EXPECT_EQ(kept.size() % c.unitsPerChar, 0u) << "a whole number of characters";
        EXPECT_EQ(whole.compare(0, kept.size(), kept), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, TextCutTest, testing::Values(
    CutCase{"Latin", "a", 1},
    CutCase{"Chinese", "\xe5\xbc\xb9", 1},
    CutCase{"EmojiSurrogatePairs", "\xf0\x9f\x8e\x89", 2},
    CutCase{"InvalidBytes", "\xff", 1}),
    [](const testing::TestParamInfo<CutCase>& info) { return info.param.name; });

TEST(FeedBoundsTest, AHugeTextIsCutWithoutReadingPastTheBound)
{
    // 8 MB of text after the cut: only its start is ever converted.
    const std::u16string cut = ToWide(std::string(8u << 20, 'x'), kMaxTextUnits);
    EXPECT_EQ(cut, std::u16string(kMaxTextUnits - 1, u'x') + u"\u2026");
    EXPECT_EQ(ToWide(std::string(10, 'x'), 0), u"");
}

TEST(FeedBoundsTest, EveryTextFieldOfAMessageIsBounded)
{
    const std::string longName(3000, 'N');
    const std::string longText(3000, 'T');
    const std::vector<DanmuItem> chat = DecodeHistory("[" + Element(longName, longText) + "]");
    ASSERT_EQ(chat.size(), 1u);
    EXPECT_EQ(chat[0].nick.size(), kMaxTextUnits + 1) << "the cut nickname, then its colon";
    EXPECT_EQ(chat[0].nick.substr(kMaxTextUnits - 1), u"\u2026:");
    EXPECT_EQ(chat[0].msg.size(), kMaxTextUnits);
    EXPECT_TRUE(EndsInEllipsis(chat[0].msg));

    const std::optional<DanmuItem> gift =
        DecodeMessage(R"({"msgType":"gift","giftName":")" + longText + R"("})");
    ASSERT_TRUE(gift);
    EXPECT_EQ(gift->msg.size(), kMaxTextUnits + 5) << "送出了[, the cut name, ]";
}

TEST(FeedBoundsTest, OnlyTheNewestElementsOfAReplyAreKept)
{
    for (int count : {199, 200, 201, 5000}) {
        const std::vector<DanmuItem> items = DecodeHistory(History(count, "m"));
        const size_t kept = std::min<size_t>(count, kMaxHistoryItems);
        ASSERT_EQ(items.size(), kept) << count;
        // The reply is newest first: element 0 is the newest, shown last.
        EXPECT_EQ(items.back().msg, u"m0");
        EXPECT_EQ(items.front().msg, u"m" + ToWide(std::to_string(kept - 1)));
    }
}

TEST(FeedBoundsTest, AnUnreadableReplyIsToldApartFromAnEmptyOne)
{
    EXPECT_FALSE(ReadHistory(""));
    EXPECT_FALSE(ReadHistory("{}"));
    EXPECT_FALSE(ReadHistory("[" + Element("a", "b")));
    ASSERT_TRUE(ReadHistory("[]"));
    EXPECT_TRUE(ReadHistory("[]")->empty());
    EXPECT_TRUE(ReadHistory("null"));
}

} // namespace
