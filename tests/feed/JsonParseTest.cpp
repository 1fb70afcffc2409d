#include "feed/JsonParse.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonParseTest, LeadingIntReadsLikeAtoiWithoutOverflow)
{
    const std::pair<const char*, std::int32_t> cases[] = {
        {"", 0}, {"37", 37}, {"abc", 0}, {"12 viewers", 12}, {" \t\n\v\f\r+8", 8}, {"-0", 0}, {"- 3", 0},
        {"--3", 0}, {"007", 7}, {"2147483647", 2147483647}, {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1}, {"-2147483649", -2147483647 - 1},
        {"123456789012345678901234567890", 2147483647}, {"\xc2\xa0" "5", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LeadingInt(text), value) << text;
}

} // namespace
