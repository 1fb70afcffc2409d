#include "http/HttpClient.h"

#include <climits>

#include <gtest/gtest.h>

#include "http/HttpStrings.h"

namespace {

std::vector<std::string> Names(const HeaderMap& headers)
{
    std::vector<std::string> names;
    for (const auto& header : headers)
        names.push_back(header.first);
    return names;
}

TEST(HttpObjects, InitialValues)
{
    CHttpClient client;
    const CHttpRequest& rq = client.m_request;
    EXPECT_EQ("GET", rq.m_method);
    EXPECT_EQ("/", rq.m_path);
    EXPECT_EQ("HTTP/1.1", rq.m_version);
    EXPECT_EQ(80, rq.m_port);
    EXPECT_EQ(0, rq.m_multipart);
    EXPECT_FALSE(rq.m_useProxy);
    EXPECT_TRUE(rq.m_host.empty() && rq.m_body.empty() && rq.m_form.m_fields.empty());
    EXPECT_EQ((std::vector<std::string>{"Accept", "Connection", "User-Agent"}), Names(rq.m_headers));
    EXPECT_EQ("Keep-Alive", rq.m_headers.at("Connection"));

    const CHttpResponse& rs = client.m_response;
    EXPECT_EQ("200", rs.m_status);
    EXPECT_EQ("OK", rs.m_reason);
    EXPECT_EQ("HTTP/1.1", rs.m_version);
    EXPECT_EQ((std::vector<std::string>{"Access-Control-Allow-Origin", "Connection", "Content-Type",
                                        "Server"}),
              Names(rs.m_headers));
    EXPECT_EQ(nullptr, rs.m_onHeader);
    EXPECT_EQ(nullptr, rs.m_onData);
    EXPECT_EQ(0, client.m_error);
}

struct SetHeaderCase {
    const char* name;
    const char* value;
    int result;
    const char* storedName;
    const char* storedValue;
};

const SetHeaderCase kSetHeaderCases[] = {
    {" Accept ", " text/html ", 0, "Accept", "text/html"},
    {"X", "a\r\nb", 0, "X", "a  b"},
    {"X", "a\tb", 0, "X", "a b"},
    {"X", " \r\n\t ", 0, "X", ""},
    {"X", "\r\nv\r\n", 0, "X", "v"},
    {"X\tY", "v", 0, "X\tY", "v"},
    {"a b", "v", -1, nullptr, nullptr},
    {"a:b", "v", -1, nullptr, nullptr},
    {"", "v", -1, nullptr, nullptr},
    {"   ", "v", -1, nullptr, nullptr},
};

std::ostream& operator<<(std::ostream& os, const SetHeaderCase& c)
{
    return os << c.name << ": " << c.value;
}

class SetHeaderTable : public testing::TestWithParam<SetHeaderCase> {};

TEST_P(SetHeaderTable, CleansOrRefuses)
{
    const SetHeaderCase& c = GetParam();
    CHttpRequest request;
    HeaderMap before = request.m_headers;
    EXPECT_EQ(c.result, request.SetHeader(c.name, c.value));
    if (c.result != 0) {
        EXPECT_EQ(before, request.m_headers);
        return;
    }
    std::string value;
    EXPECT_EQ(0, request.GetHeader(c.storedName, value));
    EXPECT_EQ(c.storedValue, value);
    EXPECT_EQ(before.size() + (before.count(c.storedName) ? 0 : 1), request.m_headers.size());
}

INSTANTIATE_TEST_SUITE_P(Headers, SetHeaderTable, testing::ValuesIn(kSetHeaderCases));

TEST(Headers, NamesAreCaseSensitiveAndSortByUnsignedBytes)
{
    CHttpRequest request;
    request.m_headers.clear();
    for (const char* name : {"content-type", "Content-Type", "Content-Length", "\xC3\xA4", "Z", "a",
                             "Content"})
        request.SetHeader(name, "v");
    EXPECT_EQ((std::vector<std::string>{"Content", "Content-Length", "Content-Type", "Z", "a",
                                        "content-type", "\xC3\xA4"}),
              Names(request.m_headers));
    std::string value = "unchanged";
    EXPECT_EQ(-1, request.GetHeader("CONTENT-TYPE", value));
    EXPECT_EQ("unchanged", value);
}

TEST(Headers, SetHeaderIntWritesDecimal)
{
    CHttpRequest request;
    for (int number : {0, INT_MIN}) {
        std::string value;
        request.SetHeaderInt("Content-Length", number);
        request.GetHeader("Content-Length", value);
        EXPECT_EQ(std::to_string(number), value);
    }
}

TEST(Headers, ResponseResetKeepsRawHeaderAndHooks)
{
    CHttpResponse response;
    int user = 0;
    response.m_rawHeader = "raw";
    response.m_isHead = 1;
    response.m_onHeaderUser = &user;
    response.m_headerCalled = response.m_dataCalled = 1;
    response.m_headerResult = response.m_dataResult = 7;
    response.m_body = "b";
    response.Reset();
    EXPECT_TRUE(response.m_status.empty() && response.m_reason.empty() && response.m_version.empty());
    EXPECT_TRUE(response.m_headers.empty() && response.m_body.empty());
    EXPECT_EQ(0, response.m_headerCalled + response.m_dataCalled + response.m_headerResult +
                     response.m_dataResult);
    EXPECT_EQ("raw", response.m_rawHeader);
    EXPECT_EQ(1, response.m_isHead);
    EXPECT_EQ(&user, response.m_onHeaderUser);
}

struct ReplaceCase {
    const char* text;
    const char* pattern;
    const char* replacement;
    int count;
    const char* result;
};

const ReplaceCase kReplaceCases[] = {
    {"aaa", "a", "aa", 3, "aaaaaa"},
    {"a b c", " ", "%20", 2, "a%20b%20c"},
    {"abc", "", "x", 0, "abc"},
    {"abab", "ab", "", 2, ""},
    {"xyz", "q", "r", 0, "xyz"},
};

TEST(Strings, ReplaceAll)
{
    for (const auto& c : kReplaceCases) {
        std::string text = c.text;
        EXPECT_EQ(c.count, ReplaceAll(text, c.pattern, c.replacement)) << c.text;
        EXPECT_EQ(c.result, text);
    }
}

TEST(Strings, TrimAndLowerCase)
{
    for (auto [in, out] : std::initializer_list<std::pair<const char*, const char*>>{
             {" \t\r\nab c\n", "ab c"}, {"", ""}, {" \n", ""}, {"x", "x"}, {"\vx\f", "\vx\f"}}) {
        std::string text = in;
        Trim(text);
        EXPECT_EQ(out, text);
    }
    std::string text = "AbZ@[\xC4";
    ToLowerAscii(text);
    EXPECT_EQ("abz@[\xC4", text);
}

TEST(Strings, NumbersSaturateLikeAtoi)
{
    EXPECT_EQ("-9223372036854775808", Int64ToString(INT64_MIN));
    EXPECT_EQ("0", Int64ToString(0));
    struct {
        const char* text;
        int value;
    } cases[] = {{" \t+12x", 12},          {"-7", -7},         {"abc", 0},
                 {"", 0},                  {"- 5", 0},         {"99999999999999999999", INT_MAX},
                 {"-99999999999999", INT_MIN}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}};
    for (const auto& c : cases)
        EXPECT_EQ(c.value, AtoiSaturated(c.text)) << c.text;
}

} // namespace
