// A block list in its settings field: one entry a line, read back bounded.

#include <gtest/gtest.h>

#include "app/config/BlockListText.h"
#include "app/config/DanmuOptions.h"

namespace {

using List = std::vector<std::string>;

struct TextCase {
    const char* name;
    std::u16string text;
    List list;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class BlockListTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(BlockListTextTest, ReadsTheEntries)
{
    EXPECT_EQ(BlockListOfText(GetParam().text), GetParam().list);
}

INSTANTIATE_TEST_SUITE_P(Texts, BlockListTextTest, testing::Values(
    TextCase{"Empty", u"", {}},
    TextCase{"OnlyBlankLines", u"\n \n\t\n\u3000\n", {}},
    TextCase{"LinesTrimmed", u"  a b \n\u3000弹幕\u00A0\n", {"a b", "弹幕"}},
    TextCase{"LineBreaksOfEveryKind", u"a\r\nb\rc\u2028d\u2029e", {"a", "b", "c", "d", "e"}},
    TextCase{"ControlCharsBreak", u"a\tb\u0001c\u007Fd", {"a", "b", "c", "d"}},
    TextCase{"EmojiAndRtl", u"🎉\nمرحبا\n", {"\xF0\x9F\x8E\x89", "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7"}},
    TextCase{"LoneSurrogate", std::u16string(u"a") + char16_t(0xD800), {"a\xEF\xBF\xBD"}},
    TextCase{"LongestKeptLongerDropped", std::u16string(kMaxBlockEntryBytes, u'x') + u"\n" + std::u16string(kMaxBlockEntryBytes + 1, u'x'),
        {std::string(kMaxBlockEntryBytes, 'x')}},
    // 67 CJK characters take 201 bytes.
    TextCase{"TooLongInUtf8Dropped", std::u16string(67, u'弹') + u"\nok", {"ok"}},
    TextCase{"DuplicatesKept", u"a\na", {"a", "a"}}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(BlockListTextLimitTest, OnlyTheFirstEntriesAreKept)
{
    std::u16string text;
    for (std::size_t i = 0; i < kMaxBlockEntries + 50; ++i)
        text += u"w\n\n";
    EXPECT_EQ(BlockListOfText(text).size(), kMaxBlockEntries);
}

TEST(BlockListTextLimitTest, AListComesBackFromItsText)
{
    const List list{"Spam", "弹幕姬", "\xF0\x9F\x90\x9F", "Zo\xC3\xAB"};
    EXPECT_EQ(BlockListText(list), u"Spam\n弹幕姬\n🐟\nZoë\n");
    EXPECT_EQ(BlockListOfText(BlockListText(list)), list);
    EXPECT_EQ(BlockListText({}), u"");
}

} // namespace
