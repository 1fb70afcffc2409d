#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include "ScriptedServer.h"

namespace {

constexpr int kBudgetMs = 5000;
constexpr int kShortBudgetMs = 400;

const char kHello[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

TEST(Execute, FetchesAReplyAndSendsTheRequestText)
{
    CScriptedServer server({Reply(kHello)});
    CHttpClient client;
    client.m_request.SetHeader("Authorization", "dms s_7c3e91a0d25b48f6e0a9c4d1b8f27e63");
    EXPECT_EQ(0, client.Execute(server.Url("/index.php/Welcome/get_live_online?live_id=1000"),
                                kBudgetMs, 10));
    EXPECT_EQ(0, client.m_error);
    EXPECT_EQ("200", client.m_response.m_status);
    EXPECT_EQ("OK", client.m_response.m_reason);
    EXPECT_EQ("HTTP/1.1", client.m_response.m_version);
    EXPECT_EQ("hello", client.m_response.m_body);
    EXPECT_EQ((HeaderMap{{"Content-Length", "5"}}), client.m_response.m_headers);
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_EQ("GET /index.php/Welcome/get_live_online?live_id=1000 HTTP/1.1\r\n"
              "Accept: */*\r\n"
              "Authorization: dms s_7c3e91a0d25b48f6e0a9c4d1b8f27e63\r\n"
              "Connection: Keep-Alive\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(server.Port()) +
                  "\r\n"
                  "User-Agent: Simple Http Client\r\n"
                  "\r\n",
              server.Requests()[0]);
}

} // namespace
