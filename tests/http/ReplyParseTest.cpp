#include "http/ReplyParse.h"

#include <gtest/gtest.h>

#include "http/HttpResponse.h"

namespace {

TEST(FindRawHeader, LooksUpExactNamesInRawText)
{
    const std::string raw = "HTTP/1.1 200 OK\r\nContent-Length:   12  \r\nX:\r\nY: a b\r\n\r\n";
    struct {
        const char* name;
        int result;
        const char* value;
    } cases[] = {
        {"Content-Length", 0, "12  "}, {"  Content-Length: ", 0, "12  "}, {"content-length", -1, ""},
        {"X", 0, ""},                  {"Y", 0, "a b"},                   {"Length", -1, ""},
        {" :: ", -1, ""},              {"", -1, ""},
    };
    for (const auto& c : cases) {
        std::string value = "stale";
        EXPECT_EQ(c.result, FindRawHeader(raw, c.name, value)) << c.name;
        EXPECT_EQ(c.value, value) << c.name;
    }
    std::string value;
    EXPECT_EQ(-1, FindRawHeader("HTTP/1.1 200 OK\r\nA: unended", "A", value));
}

TEST(FindRawHeaderAnyCase, MatchesTheNameInAnyLetterCase)
{
    const std::string raw = "HTTP/1.1 200 OK\r\ntransfer-ENCODING:  chunked \r\nX-\xC4: 1\r\n\r\n";
    struct {
        const char* name;
        int result;
        const char* value;
    } cases[] = {
        {"Transfer-Encoding", 0, "chunked "}, {"TRANSFER-ENCODING:", 0, "chunked "},
        {"transfer-encodin", -1, ""},         {"x-\xC4", 0, "1"},
        {"x-\xE4", -1, ""},  // letters beyond ASCII keep their case
        {"", -1, ""},
    };
    for (const auto& c : cases) {
        std::string value = "stale";
        EXPECT_EQ(c.result, FindRawHeaderAnyCase(raw, c.name, value)) << c.name;
        EXPECT_EQ(c.value, value) << c.name;
    }
}

TEST(ExtractStatusCode, TakesThreeCharactersBetweenTheFirstSpaces)
{
    struct {
        const char* raw;
        int result;
        const char* code;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\n", 0, "200"}, {"HTTP/1.1 20 OK", -1, ""},  {"HTTP/1.1 2000 OK", -1, ""},
        {"HTTP/1.1 200\r\nA: b", -1, ""},  {"HTTP/1.1", -1, ""},        {"a abc ", 0, "abc"},
    };
    for (const auto& c : cases) {
        std::string code = "stale";
        EXPECT_EQ(c.result, ExtractStatusCode(c.raw, code)) << c.raw;
        EXPECT_EQ(c.code, code) << c.raw;
    }
}

TEST(Parse, NeedsStatusLineAndBlankLine)
{
    CHttpResponse response;
    EXPECT_EQ(-1, response.Parse("HTTP/1.1 200 OK"));
    EXPECT_EQ(-1, response.Parse("HTTP/1.1 200 OK\r\nA: b\r\n"));
    EXPECT_EQ(0, response.Parse("  HTTP/1.0   200   \r\n\r\nbody"));
    EXPECT_EQ("HTTP/1.0", response.m_version);
    EXPECT_EQ("", response.m_reason);
    EXPECT_EQ("body", response.m_body);
    EXPECT_EQ(-1, response.Parse("HTTP/1.1 2x0 OK\r\n\r\n"));
    EXPECT_EQ("2x0", response.m_status);
}

} // namespace
