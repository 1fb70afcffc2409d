#include "feed/JsonParse.h"

#include <gtest/gtest.h>

namespace {

struct IntCase {
    const char* text;
    std::int32_t value;
};

void PrintTo(const IntCase& c, std::ostream* os) { *os << "gives " << c.value; }

class LeadingIntTest : public testing::TestWithParam<IntCase> {};

TEST_P(LeadingIntTest, ReadsLikeAtoiWithoutOverflow)
{
    EXPECT_EQ(LeadingInt(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingIntTest, testing::Values(
    IntCase{"", 0}, IntCase{"37", 37}, IntCase{"abc", 0}, IntCase{"12 viewers", 12},
    IntCase{" \t\n\v\f\r+8", 8}, IntCase{"-0", 0}, IntCase{"- 3", 0}, IntCase{"--3", 0},
    IntCase{"007", 7}, IntCase{"2147483647", 2147483647}, IntCase{"2147483648", 2147483647},
    IntCase{"-2147483648", -2147483647 - 1}, IntCase{"-2147483649", -2147483647 - 1},
    IntCase{"123456789012345678901234567890", 2147483647}, IntCase{"\xc2\xa0" "5", 0}));

TEST(JsonParseTest, MemberOfAnythingButAnObjectIsNull)
{
    for (const char* text : {"[1,2]", "3", "\"s\"", "true", "null"}) {
        Json::Value value;
        ASSERT_TRUE(ParseJson(text, value)) << text;
        EXPECT_TRUE(MemberOf(value, "msg").isNull()) << text;
    }
}

TEST(JsonParseTest, TooDeepIsNotJsonAndLeavesNoValue)
{
    Json::Value value(5);
    EXPECT_FALSE(ParseJson(std::string(100000, '{'), value));
    EXPECT_FALSE(ParseJson(std::string(5000, '[') + std::string(5000, ']'), value));
    EXPECT_TRUE(value.isNull());
}

} // namespace
