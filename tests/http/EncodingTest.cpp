#include "http/Encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(UrlEncode, KeepsTheSafeSetAndEscapesTheRest)
{
    struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"a-b_c.d,e:f|g", "a-b_c.d,e:f|g"},
        {"~", "%7E"},
        {"\xE4", "%E4"},
        {"+", "%2B"},
        {" ", "+"},
        {"a b&c=d/e%f*", "a+b%26c%3Dd%2Fe%25f%2A"},
        {std::string("\0\xFF", 2), "%00%FF"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.out, UrlEncode(c.in)) << c.in;
}

TEST(Base64Encode, GroupsPaddingAndLineBreaks)
{
    struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foobar", "Zm9vYmFy"},
        {"u:", "dTo="},
        {"\xFF\xFE\xFD", "//79"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.out, Base64Encode(c.in)) << c.in;

    const std::string line(76, 'A');
    EXPECT_EQ(line + "\r\n", Base64Encode(std::string(57, '\0')));
    EXPECT_EQ(line + "\r\nAA==", Base64Encode(std::string(58, '\0')));
    EXPECT_EQ(line + "\r\nAAA=", Base64Encode(std::string(59, '\0')));
    EXPECT_EQ(line + "\r\n" + line + "\r\n", Base64Encode(std::string(114, '\0')));
    EXPECT_EQ(std::string(72, 'A') + "AA==", Base64Encode(std::string(55, '\0')));
}

} // namespace
