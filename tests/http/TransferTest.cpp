// Whole exchanges with loopback servers that play a script.
#include "http/HttpClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "MemoryReceive.h"
#include "ScriptedServer.h"

namespace {

constexpr int kBudgetMs = 5000, kShortBudgetMs = 400;
const char kHello[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

// The request as the feed poller sends it reaches the server byte for byte;
// a zero budget is no limit, and host names are looked up.
TEST(Execute, SendsTheRequestTextAndFetchesTheReply)
{
    CScriptedServer server({Reply(kHello)});
    CHttpClient client;
    client.m_request.SetHeader("Authorization", "dms s_7c3e91a0d25b48f6e0a9c4d1b8f27e63");
    const std::string host = "localhost:" + std::to_string(server.Port());
    EXPECT_EQ(0, client.Execute("http://" + host + "/index.php/Welcome/get_live_online?live_id=1000", 0, 10));
    EXPECT_EQ(0, client.m_error);
    EXPECT_EQ("hello", client.m_response.m_body);
    EXPECT_EQ((HeaderMap{{"Content-Length", "5"}}), client.m_response.m_headers);
    EXPECT_EQ((std::vector<std::string>{"GET /index.php/Welcome/get_live_online?live_id=1000 HTTP/1.1\r\n"
                                        "Accept: */*\r\n"
                                        "Authorization: dms s_7c3e91a0d25b48f6e0a9c4d1b8f27e63\r\n"
                                        "Connection: Keep-Alive\r\n"
                                        "Host: " + host + "\r\n"
                                        "User-Agent: Simple Http Client\r\n\r\n"}),
              server.Requests());
}

// How each exchange ends on a real connection, and what the client keeps. A
// server that stalls after its reply makes a client that waits for more run
// into its budget; hostile or stuck ones must end within it, keeping nothing.
TEST(Execute, EndsAsTheReplyAndTheServerSay)
{
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    const std::string untilClose = "{\"online\":\"37\"}\r\n\r\nmore lines\r\n";
    const struct { const char* name; ServerScript script; int result, error; const char* status; std::string body;
                   int budget = kBudgetMs; const char* method = "GET"; std::size_t maxBody = CHttpResponse::kNoBodyLimit; } cases[] = {
        {"ContentLength", {ExpectRequest(), Send(kHello), Stall()}, 0, 0, "200", "hello"},
        {"Chunked", {ExpectRequest(), Send(chunked + "5\r\nhello\r\n0\r\n"), Stall()}, 0, 0, "200", "hello"},
        {"UntilClose", {ExpectRequest(), Send("HTTP/1.1 200 OK\r\nServer: x\r\n\r\n"), Trickle(untilClose, 1)}, 0, 0, "200", untilClose},
        {"Status601KeepsBody", {ExpectRequest(), Send("HTTP/1.1 601 X\r\nContent-Length: 2\r\n\r\nok"), Stall()}, -1, HTTP_ERR_RECEIVE, "601", "ok"},
        {"WithinTheBodyBound", Reply(InChunks("0123456789")), 0, 0, "200", "0123456789", kBudgetMs, "GET", 10},
        {"PastTheBodyBound", {ExpectRequest(), Send(InChunks("0123456789")), Stall()}, -1, HTTP_ERR_RECEIVE, "", "", kBudgetMs, "GET", 9},
        {"UnwritableMethod", {Stall()}, -1, HTTP_ERR_SEND, "", "", kBudgetMs, "get"},
        {"ClosesMidBody", {ExpectRequest(), Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhal")}, -1, HTTP_ERR_RECEIVE, "", ""},
        {"ClosesBeforeReplying", {ExpectRequest()}, -1, HTTP_ERR_RECEIVE, "", "", kShortBudgetMs},
        {"TrickleOutlastsTheBudget", {ExpectRequest(), Trickle("HTTP/1.1 200 OK\r\nContent-Length: 500\r\n\r\n" + std::string(500, 'x'), 20)}, -1, HTTP_ERR_RECEIVE, "", "", kShortBudgetMs},
        {"ReplyNeverStarts", {ExpectRequest(), Stall()}, -1, HTTP_ERR_RECEIVE, "", "", kShortBudgetMs},
        {"LengthBeyondInt", {ExpectRequest(), Send("HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nabc"), Stall()},
         -1, HTTP_ERR_RECEIVE, "", "", kShortBudgetMs},
        {"BodyUntilCloseNeverEnds", {ExpectRequest(), Send("HTTP/1.1 200 OK\r\n\r\npartial"), Stall()}, -1, HTTP_ERR_RECEIVE, "", "", kShortBudgetMs},
        {"ChunkNeverEnds", {ExpectRequest(), Send(chunked + "7FFFFFFF\r\nabc"), Stall()}, -1, HTTP_ERR_RECEIVE, "", "", kShortBudgetMs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedServer server({c.script});
        CHttpClient client;
        client.m_request.m_method = c.method;
        client.m_response.m_maxBody = c.maxBody;
        EXPECT_EQ(c.result, client.Execute(server.Url("/"), c.budget, 0));
        EXPECT_EQ(c.error, client.m_error);
        EXPECT_EQ(c.status, client.m_response.m_status);
        EXPECT_EQ(c.body, client.m_response.m_body);
    }
}

TEST(Execute, UrlAndConnectionFailures)
{
    const BoundPort refusing;
    const std::pair<std::string, int> cases[] = {
        {"", HTTP_ERR_URL},
        {std::string("http://local\0host/", 18), HTTP_ERR_URL},  // not looked up
        {"http://" + refusing.Host() + "/", HTTP_ERR_CONNECT},
    };
    for (const auto& [url, error] : cases) {
        CHttpClient client;
        client.m_response.m_body = "old";
        EXPECT_EQ(-1, client.Execute(url, kBudgetMs, 0));
        EXPECT_EQ(error, client.m_error);
        EXPECT_EQ("", client.m_response.m_body);
    }
}

// A loopback listener that never accepts, its queue full: the kernel drops
// further connection attempts unanswered, as a host behind a silent firewall
// does. False when the queue would not fill.
bool FillQueue(const sockaddr_in& address, std::vector<int>& clients)
{
    while (clients.size() < 16) {
        clients.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(clients.back(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
        pollfd entry{clients.back(), POLLOUT, 0};
        if (::poll(&entry, 1, 200) == 0)
            return true;
    }
    return false;
}

TEST(Execute, AnUnansweredConnectionEndsByTheBudget)
{
    BoundPort listener;
    ::listen(listener.socket, 0);
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ::getsockname(listener.socket, reinterpret_cast<sockaddr*>(&address), &size);
    std::vector<int> clients;
    EXPECT_TRUE(FillQueue(address, clients));
    CHttpClient client;
    EXPECT_EQ(-1, client.Execute("http://" + listener.Host() + "/", kShortBudgetMs, 0));
    EXPECT_EQ(HTTP_ERR_BUDGET, client.m_error);
    for (int s : clients)
        ::close(s);
}

} // namespace
