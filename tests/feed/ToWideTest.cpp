#include "feed/ToWide.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(ToWideTest, ConvertsAndReplacesInvalidInput)
{
    const std::pair<std::string, std::u16string> cases[] = {
        {"", u""}, {"hello", u"hello"}, {"送出了[火箭]", u"送出了[火箭]"},
        {"\xf0\x9f\x8e\x89", u"\xD83C\xDF89"},  // beyond the BMP: a surrogate pair
        {std::string("ab\0cd", 5), u"ab"},           // stops at a NUL
        {"a\x80z", u"a\uFFFDz"}, {"\xff", u"\uFFFD"}, {"a\xe4\xb8", u"a\uFFFD"}, {"\xe4\xb8" "a\xe4\xb8\xad", u"\uFFFDa中"},
        {"\xed\xa0\x80z", u"\uFFFDz"}, {"\xc0\xafz", u"\uFFFDz"}, {"\xf4\x90\x80\x80z", u"\uFFFDz"}};
    for (const auto& [utf8, utf16] : cases)
        EXPECT_EQ(ToWide(utf8), utf16) << testing::PrintToString(utf8);
}

// Around the bound, at every length: the text stays whole up to it, and
// past it ends in "…" within the bound with no half character before.
TEST(ToWideCutTest, LongTextsEndInAnEllipsisWithinTheBound)
{
    const std::size_t bound = 10;
    // One character, repeated, and its length in UTF-16.
    const struct { const char* name; std::string unit; std::size_t unitsPerChar; } kinds[] = {
        {"Latin", "a", 1}, {"Chinese", "\xe5\xbc\xb9", 1}, {"Emoji", "\xf0\x9f\x8e\x89", 2}, {"Invalid", "\xff", 1}};
    for (const auto& kind : kinds) {
        std::string utf8;
        for (std::size_t chars = 1; chars * kind.unitsPerChar <= bound + 4; ++chars) {
            SCOPED_TRACE(testing::Message() << kind.name << " x " << chars);
            utf8 += kind.unit;
            const std::u16string whole = ToWide(utf8);
            const std::u16string cut = ToWide(utf8, bound);
            if (whole.size() <= bound) {
                EXPECT_EQ(cut, whole);
                continue;
            }
            ASSERT_EQ(cut.back(), u'\u2026');
            EXPECT_GE(cut.size(), bound - 1);
            EXPECT_LE(cut.size(), bound);
            const std::u16string kept = cut.substr(0, cut.size() - 1);
            EXPECT_EQ(kept.size() % kind.unitsPerChar, 0u) << "a whole number of characters";
            EXPECT_EQ(whole.compare(0, kept.size(), kept), 0);
        }
    }
    // 8 MB of text after the cut: only its start is ever converted.
    EXPECT_EQ(ToWide(std::string(8u << 20, 'x'), bound), std::u16string(bound - 1, u'x') + u"\u2026");
    EXPECT_EQ(ToWide(std::string(10, 'x'), 0), u"");
}

} // namespace
