// A block list in its settings field: one entry a line, read back bounded.

#include <gtest/gtest.h>

#include "app/config/BlockListText.h"
#include "app/config/DanmuOptions.h"

namespace {

using List = std::vector<std::string>;

TEST(BlockListTextTest, ReadsTheEntries)
{
    const struct {
        std::u16string text;
        List list;
    } cases[] = {
        {u"\n \n\t\n\u3000\n", {}},
        {u"  a b \n\u3000弹幕\u00A0\n", {"a b", "弹幕"}},
        {u"a\r\nb\rc\u2028d\u2029e", {"a", "b", "c", "d", "e"}},
        {u"a\tb\u0001c\u007Fd", {"a", "b", "c", "d"}}, // control characters break
        {u"🎉\nمرحبا\n", {"\xF0\x9F\x8E\x89", "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7"}},
        {std::u16string(u"a") + char16_t(0xD800), {"a\xEF\xBF\xBD"}}, // a lone surrogate
        {std::u16string(kMaxBlockEntryBytes, u'x') + u"\n" + std::u16string(kMaxBlockEntryBytes + 1, u'x'),
            {std::string(kMaxBlockEntryBytes, 'x')}},
        {std::u16string(67, u'弹') + u"\nok", {"ok"}}, // 67 CJK characters take 201 bytes
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlockListOfText(c.text), c.list) << c.text.size();
}

// Only the first entries are kept; a list comes back from its text.
TEST(BlockListTextTest, OnlyTheFirstEntriesAreKeptAndAListComesBackFromItsText)
{
    std::u16string text;
    for (std::size_t i = 0; i < kMaxBlockEntries + 50; ++i)
        text += u"w\n\n";
    EXPECT_EQ(BlockListOfText(text).size(), kMaxBlockEntries);
    const List list{"Spam", "弹幕姬", "\xF0\x9F\x90\x9F", "Zo\xC3\xAB"};
    EXPECT_EQ(BlockListText(list), u"Spam\n弹幕姬\n🐟\nZoë\n");
    EXPECT_EQ(BlockListOfText(BlockListText(list)), list);
}

} // namespace
