// Servers that try to make the client hang or hoard memory. Each case checks
// the result code the client ends with and that what the response holds is
// no more than what the server sent. Cases the transfer tests already hold
// (a negative chunk size, a redirect loop, a server that never answers) are
// not repeated here.
#include "http/HttpClient.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "ScriptedServer.h"

namespace {

constexpr int kShortBudgetMs = 500;
// Large replies only need to end; a hang is left to the test timeout.
constexpr int kNoPracticalLimit = 0;

const char kOkLine[] = "HTTP/1.1 200 OK\r\n";

TEST(HostileHeader, EndlessHeaderOneByteAtATimeEndsByTheBudget)
{
    // Far more bytes than the budget lets through; the script ends once the
    // client has gone.
    ServerScript script{ExpectRequest(), Send(kOkLine), Send("X-Endless: ")};
    for (int i = 0; i < 20000; ++i) {
        script.push_back(Send("x"));
        script.push_back(Pause(1));
    }
    CScriptedServer server({script});
    CHttpClient client;
    EXPECT_EQ(-1, client.Execute(server.Url("/"), kShortBudgetMs, 0));
    EXPECT_EQ(HTTP_ERR_RECEIVE, client.m_error);
    EXPECT_EQ("", client.m_response.m_rawHeader);
    EXPECT_EQ("", client.m_response.m_status);
    EXPECT_TRUE(client.m_response.m_headers.empty());
    EXPECT_EQ("", client.m_response.m_body);
}

// A header block of 100,000 lines, each lineBytes long with its CR LF.
std::string ManyLines(int lineBytes)
{
    std::string header = kOkLine;
    for (int i = 0; i < 100000; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%05x:%*d\r\n", i, lineBytes - 8, i % 10);
        header += line;
    }
    return header + "Content-Length: 2\r\n\r\n";
}

TEST(HostileHeader, HundredThousandLinesWithinTheCapAreAllKept)
{
    const std::string header = ManyLines(9);
    ASSERT_LT(header.size(), static_cast<std::size_t>(1 << 20));
    CScriptedServer server({Reply(header + "ok")});
    CHttpClient client;
    ASSERT_EQ(0, client.Execute(server.Url("/"), kNoPracticalLimit, 0));
    EXPECT_EQ(header, client.m_response.m_rawHeader);
    EXPECT_EQ(100001u, client.m_response.m_headers.size());
    EXPECT_EQ("9", client.m_response.m_headers.at("1869f"));  // line 99999
    EXPECT_EQ("ok", client.m_response.m_body);
}

TEST(HostileHeader, HundredThousandLinesBeyondTheCapAreRefused)
{
    const std::string header = ManyLines(12);
    ASSERT_GT(header.size(), static_cast<std::size_t>(1 << 20));
    CScriptedServer server({Reply(header + "ok")});
    CHttpClient client;
    EXPECT_EQ(-1, client.Execute(server.Url("/"), kNoPracticalLimit, 0));
    EXPECT_EQ(HTTP_ERR_RECEIVE, client.m_error);
    EXPECT_EQ("", client.m_response.m_rawHeader);
    EXPECT_TRUE(client.m_response.m_headers.empty());
}

TEST(HostileBody, MillionOneByteChunksArriveWhole)
{
    constexpr int kChunks = 1000000;
    std::string chunked, expected;
    chunked.reserve(kChunks * 6 + 5);
    expected.reserve(kChunks);
    for (int i = 0; i < kChunks; ++i) {
        const char c = static_cast<char>('a' + i % 26);
        chunked += "1\r\n";
        chunked += c;
        chunked += "\r\n";
        expected += c;
    }
    chunked += "0\r\n\r\n";
    CScriptedServer server({Reply("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + chunked)});
    CHttpClient client;
    ASSERT_EQ(0, client.Execute(server.Url("/"), kNoPracticalLimit, 0));
    EXPECT_EQ("200", client.m_response.m_status);
    EXPECT_TRUE(client.m_response.m_body == expected);
}

TEST(HostileBody, LengthOfIntMaxWithAShortBodyAndAClose)
{
    const std::string header = "HTTP/1.1 200 OK\r\nContent-Length: 2147483647\r\n\r\n";
    CScriptedServer server({{ExpectRequest(), Send(header + "short body")}});
    CHttpClient client;
    EXPECT_EQ(-1, client.Execute(server.Url("/"), kNoPracticalLimit, 0));
    EXPECT_EQ(HTTP_ERR_RECEIVE, client.m_error);
    EXPECT_EQ(header, client.m_response.m_rawHeader);
    EXPECT_EQ("", client.m_response.m_body);
    EXPECT_EQ("", client.m_response.m_status);
}

} // namespace
