#include "feed/ToWide.h"

#include <string>

#include <gtest/gtest.h>

namespace {

struct WideCase {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

void PrintTo(const WideCase& c, std::ostream* os) { *os << c.name; }

class ToWideTest : public testing::TestWithParam<WideCase> {};

TEST_P(ToWideTest, ConvertsAndReplacesInvalidInput)
{
    EXPECT_EQ(ToWide(GetParam().utf8), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(Texts, ToWideTest, testing::Values(
    WideCase{"Empty", "", u""},
    WideCase{"Ascii", "hello", u"hello"},
    WideCase{"Chinese", "送出了[火箭]", u"送出了[火箭]"},
    WideCase{"BeyondBmpIsASurrogatePair", "\xf0\x9f\x8e\x89", u"\xD83C\xDF89"},
    WideCase{"StopsAtNul", std::string("ab\0cd", 5), u"ab"},
    WideCase{"LoneContinuationByte", "a\x80z", u"a\uFFFDz"},
    WideCase{"InvalidByte", "\xff", u"\uFFFD"},
    WideCase{"TruncatedAtEnd", "a\xe4\xb8", u"a\uFFFD"},
    WideCase{"TruncatedBeforeValid", "\xe4\xb8" "a\xe4\xb8\xad", u"\uFFFDa中"},
    WideCase{"EncodedSurrogate", "\xed\xa0\x80z", u"\uFFFDz"},
    WideCase{"Overlong", "\xc0\xafz", u"\uFFFDz"},
    WideCase{"BeyondUnicode", "\xf4\x90\x80\x80z", u"\uFFFDz"}),
    [](const testing::TestParamInfo<WideCase>& info) { return info.param.name; });

} // namespace
