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

const char kOkLine[] = "HTTP/1.1 200 OK\r\n";

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

// A million chunks of one byte each, and the body they make.
std::pair<std::string, std::string> OneByteChunks()
{
    std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", body;
    for (int i = 0; i < 1000000; ++i) {
        body += static_cast<char>('a' + i % 26);
        chunked += "1\r\n" + body.substr(body.size() - 1) + "\r\n";
    }
    return {chunked + "0\r\n\r\n", body};
}

// Large replies only need to end (budget 0: none); a hang is left to the
// test timeout.
TEST(Hostile, ServersThatWouldCostTooMuch)
{
    const std::string within = ManyLines(9), beyond = ManyLines(12);
    ASSERT_LT(within.size(), static_cast<std::size_t>(1 << 20));
    ASSERT_GT(beyond.size(), static_cast<std::size_t>(1 << 20));
    const auto [chunks, chunkBody] = OneByteChunks();
    const std::string longLength = "HTTP/1.1 200 OK\r\nContent-Length: 2147483647\r\n\r\n";
    const struct { const char* name; ServerScript script; int budget, error; std::string rawHeader, body;
                   std::size_t headers; } cases[] = {
        // Far more bytes than the budget lets through; the script ends once
        // the client has gone.
        {"EndlessHeaderOneByteAtATime", {ExpectRequest(), Send(kOkLine), Trickle("X-Endless: " + std::string(20000, 'x'), 1)},
         500, HTTP_ERR_RECEIVE, "", "", 0},
        {"HundredThousandLinesWithinTheCap", Reply(within + "ok"), 0, 0, within, "ok", 100001},
        {"HundredThousandLinesBeyondTheCap", Reply(beyond + "ok"), 0, HTTP_ERR_RECEIVE, "", "", 0},
        {"MillionOneByteChunks", Reply(chunks), 0, 0, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", chunkBody, 1},
        {"LengthOfIntMaxWithAShortBodyAndAClose", {ExpectRequest(), Send(longLength + "short body")}, 0, HTTP_ERR_RECEIVE,
         longLength, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedServer server({c.script});
        CHttpClient client;
        EXPECT_EQ(c.error ? -1 : 0, client.Execute(server.Url("/"), c.budget, 0));
        EXPECT_EQ(c.error, client.m_error);
        EXPECT_EQ(c.error ? "" : "200", client.m_response.m_status);
        EXPECT_TRUE(c.rawHeader == client.m_response.m_rawHeader);
        EXPECT_EQ(c.headers, client.m_response.m_headers.size());
        EXPECT_TRUE(c.body == client.m_response.m_body);
    }
}

} // namespace
