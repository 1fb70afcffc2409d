#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include "ScriptedServer.h"

namespace {

constexpr int kBudgetMs = 5000;
constexpr int kShortBudgetMs = 400;

const char kHello[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

ServerScript Then(ServerScript script, const ServerStep& step)
{
    script.push_back(step);
    return script;
}

// What reaches the server is the serialised request, GET or POST with its
// form body.
TEST(Execute, FetchesAReplyAndSendsTheRequestText)
{
    for (const char* method : {"GET", "POST"}) {
        CScriptedServer server({Reply(kHello)});
        CHttpClient client;
        client.m_request.m_method = method;
        client.m_request.SetHeader("Authorization", "dms s_7c3e91a0d25b48f6e0a9c4d1b8f27e63");
        if (client.m_request.m_method == "POST")
            client.m_request.m_form.m_fields["a"] = "1&2";
        EXPECT_EQ(0, client.Execute(server.Url("/index.php/Welcome/get_live_online?live_id=1000"),
                                    kBudgetMs, 10));
        EXPECT_EQ(0, client.m_error);
        EXPECT_EQ("200", client.m_response.m_status);
        EXPECT_EQ("OK", client.m_response.m_reason);
        EXPECT_EQ("HTTP/1.1", client.m_response.m_version);
        EXPECT_EQ("hello", client.m_response.m_body);
        EXPECT_EQ((HeaderMap{{"Content-Length", "5"}}), client.m_response.m_headers);
        std::string sent;
        ASSERT_EQ(0, client.m_request.Serialize(sent));
        EXPECT_EQ((std::vector<std::string>{sent}), server.Requests()) << method;
    }
}

// A zero budget is no limit at all, and host names are looked up.
TEST(Execute, ZeroBudgetAndHostNames)
{
    CScriptedServer server({Reply(kHello)});
    CHttpClient client;
    EXPECT_EQ(0, client.Execute("http://localhost:" + std::to_string(server.Port()) + "/", 0, 0));
    EXPECT_EQ("hello", client.m_response.m_body);
    EXPECT_NE(std::string::npos, server.Requests().at(0).find("\r\nHost: localhost:"));
}

// How each reply ends on a real connection. The server stalls after each
// reply: a client that waited for more would run into its budget.
struct WireCase {
    const char* name;
    std::string reply;
    int result;
    int error;
    const char* status;
    const char* body;
};

const WireCase kWireCases[] = {
    {"ContentLength", kHello, 0, 0, "200", "hello"},
    {"LowerCaseChunked",
     "HTTP/1.1 200 OK\r\ntransfer-encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n", 0, 0, "200",
     "hello"},
    {"NoContent", "HTTP/1.1 204 No Content\r\n\r\n", 0, 0, "204", ""},
    {"LengthWithChunked",
     "HTTP/1.1 200 OK\r\nContent-Length: 8\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello", 0,
     0, "200", "5\r\nhello"},
    {"Status601KeepsBody", "HTTP/1.1 601 X\r\nContent-Length: 2\r\n\r\nok", -1, -6, "601", "ok"},
    {"NotHttp", "SSH-2.0-OpenSSH\r\n\r\n", -1, -6, "", ""},
    {"AbsurdChunkSize",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n7FFFFFFFFFFFFFFFFFFF\r\nhello", -1, -6,
     "", ""},
};

std::ostream& operator<<(std::ostream& os, const WireCase& c)
{
    return os << c.name;
}

class WireTable : public testing::TestWithParam<WireCase> {};

TEST_P(WireTable, EndsAsTheLengthRulesSay)
{
    const WireCase& c = GetParam();
    CScriptedServer server({Then(Reply(c.reply), Stall())});
    CHttpClient client;
    EXPECT_EQ(c.result, client.Execute(server.Url("/"), kBudgetMs, 0));
    EXPECT_EQ(c.error, client.m_error);
    EXPECT_EQ(c.status, client.m_response.m_status);
    EXPECT_EQ(c.body, client.m_response.m_body);
}

INSTANTIATE_TEST_SUITE_P(Transfer, WireTable, testing::ValuesIn(kWireCases));

TEST(Execute, LargeRepliesArriveWhole)
{
    std::string body(3 << 20, 'x');
    for (std::size_t i = 0; i < body.size(); i += 4093)
        body[i] = static_cast<char>('a' + i % 26);
    std::string chunked;
    for (std::size_t at = 0; at < body.size(); at += 4096)
        chunked += "1000\r\n" + body.substr(at, 4096) + "\r\n";
    chunked += "0\r\n\r\n";
    CScriptedServer server(
        {Reply("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body),
         Reply("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + chunked)});
    CHttpClient client;
    EXPECT_EQ(0, client.Execute(server.Url("/"), kBudgetMs, 0));
    EXPECT_TRUE(client.m_response.m_body == body);
    EXPECT_EQ(0, client.Execute(server.Url("/"), kBudgetMs, 0));
    EXPECT_TRUE(client.m_response.m_body == body);
}

TEST(ExecuteFailures, EmptyUrlTouchesNoNetwork)
{
    CHttpClient client;
    client.m_response.m_body = "old";
    EXPECT_EQ(-1, client.Execute("", kBudgetMs, 10));
    EXPECT_EQ(-1, client.m_error);
    EXPECT_EQ("", client.m_response.m_body);
    EXPECT_EQ("", client.m_request.m_host);
}

TEST(ExecuteFailures, HostWithNulIsNotLookedUp)
{
    CHttpClient client;
    EXPECT_EQ(-1, client.Execute(std::string("http://local\0host/", 18), kBudgetMs, 0));
    EXPECT_EQ(-1, client.m_error);
}

TEST(ExecuteFailures, RefusedConnection)
{
    CHttpClient client;
    EXPECT_EQ(-1, client.Execute("http://127.0.0.1:" + std::to_string(UnusedPort()) + "/", kBudgetMs, 0));
    EXPECT_EQ(-3, client.m_error);
}

TEST(ExecuteFailures, ServerClosingMidBody)
{
    CScriptedServer server({{ExpectRequest(), Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhal")}});
    CHttpClient client;
    EXPECT_EQ(-1, client.Execute(server.Url("/"), kBudgetMs, 0));
    EXPECT_EQ(-6, client.m_error);
    EXPECT_EQ("", client.m_response.m_body);
    EXPECT_EQ("", client.m_response.m_status);
    EXPECT_EQ("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n", client.m_response.m_rawHeader);
}

// Servers that close before replying, or hostile or stuck ones: the client
// gives up within its budget and keeps nothing of the reply.
struct StuckCase {
    const char* name;
    ServerScript script;
};

ServerScript Prepend(ServerStep first, const ServerScript& rest)
{
    ServerScript script{std::move(first)};
    script.insert(script.end(), rest.begin(), rest.end());
    return script;
}

std::vector<StuckCase> StuckCases()
{
    const std::string slowReply =
        "HTTP/1.1 200 OK\r\nContent-Length: 500\r\n\r\n" + std::string(500, 'x');
    return {
        {"ClosesBeforeReplying", {ExpectRequest()}},
        {"TrickleOutlastsTheBudget", Prepend(ExpectRequest(), Trickle(slowReply, 20))},
        {"ReplyNeverStarts", {ExpectRequest(), Stall()}},
        {"RequestNeverRead", {Stall()}},
        {"LengthFarBeyondWhatIsSent",
         {ExpectRequest(), Send("HTTP/1.1 200 OK\r\nContent-Length: 2147483647\r\n\r\nabc"), Stall()}},
        {"LengthBeyondInt",
         {ExpectRequest(), Send("HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nabc"),
          Stall()}},
        {"BodyWithoutLengthNeverEnds",
         {ExpectRequest(), Send("HTTP/1.1 200 OK\r\n\r\npartial"), Stall()}},
        {"ChunkNeverEnds",
         {ExpectRequest(), Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n7FFFFFFF\r\nabc"),
          Stall()}},
        {"EndlessHeaderLine",
         [] {
             ServerScript script{ExpectRequest(), Send("HTTP/1.1 200 OK\r\nX: ")};
             for (int i = 0; i < 200; ++i) {
                 script.push_back(Send(std::string(100, 'x')));
                 script.push_back(Pause(5));
             }
             return script;
         }()},
    };
}

TEST(ExecuteFailures, BrokenOrStuckServersFailCleanly)
{
    for (const StuckCase& c : StuckCases()) {
        SCOPED_TRACE(c.name);
        CScriptedServer server({c.script});
        CHttpClient client;
        EXPECT_EQ(-1, client.Execute(server.Url("/"), kShortBudgetMs, 0));
        EXPECT_EQ(-6, client.m_error);
        EXPECT_EQ("", client.m_response.m_body);
        EXPECT_EQ("", client.m_response.m_status);
        EXPECT_TRUE(client.m_response.m_headers.empty());
    }
}

} // namespace
