// Following 301 and 302 replies: what each leg sends, and where.
#include "http/HttpClient.h"

#include <pthread.h>

#include <gtest/gtest.h>

#include "ScriptedServer.h"

namespace {

constexpr int kBudgetMs = 5000;
const char kHello[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

std::string Redirect(int status, const std::string& location)
{
    std::string reply = "HTTP/1.1 " + std::to_string(status) + " Moved\r\n";
    if (!location.empty())
        reply += "Location: " + location + "\r\n";
    return reply + "Content-Length: 4\r\n\r\nmove";
}

bool Sends(const std::string& request, const std::string& header)
{
    return request.find("\r\n" + header + ": ") != std::string::npos;
}

// Only 301 and 302 with a location are followed, up to the limit; a reply
// that is not followed is the result. The server has one reply: following
// would fail.
TEST(Redirects, WhichAreFollowedAndHowOften)
{
    const struct { int status; const char* location; int limit; int result; const char* body; } cases[] = {
        {301, "", 10, 0, "move"}, {303, "/x", 10, 0, "move"}, {307, "/x", 10, 0, "move"},
        {302, "/x", 0, 0, "move"}, {302, "/x", -1, 0, "move"}, {302, "mailto:x", 5, -1, ""}};
    for (const auto& c : cases) {
        CScriptedServer server({Reply(Redirect(c.status, c.location))});
        CHttpClient client;
        EXPECT_EQ(c.result, client.Execute(server.Url("/"), kBudgetMs, c.limit)) << c.status << c.location;
        EXPECT_EQ(c.result, client.m_error);  // an unusable location is a URL failure
        EXPECT_EQ(c.body, client.m_response.m_body);
    }
    // At limit one a 302 is followed once.
    CScriptedServer server({Reply(Redirect(302, "/next?a=1")), Reply(Redirect(302, "/again")), Reply(kHello)});
    CHttpClient client;
    EXPECT_EQ(0, client.Execute(server.Url("/first/page"), kBudgetMs, 1));
    EXPECT_EQ("302", client.m_response.m_status);
    ASSERT_EQ(2u, server.Requests().size());
    EXPECT_EQ(0u, server.Requests()[0].find("GET /first/page HTTP/1.1\r\n"));
    EXPECT_EQ(0u, server.Requests()[1].find("GET /next?a=1 HTTP/1.1\r\n"));
}

// Credentials go along to the first host and port only, other headers to
// every leg; the caller's request keeps them for its next exchange.
TEST(Redirects, CredentialsStayWithTheFirstHostAndPort)
{
    CScriptedServer other({Reply(kHello)});
    CScriptedServer server({Reply(Redirect(302, "/same")), Reply(Redirect(301, other.Url("/away"))), Reply(kHello)});
    CHttpClient client;
    client.m_request.SetHeader("Authorization", "dms secret");
    client.m_request.SetHeader("Cookie", "session=1");
    client.m_request.SetHeader("X-Keep", "1");
    client.m_request.m_useProxy = true;
    client.m_request.m_proxyAuthScheme = "Basic";
    client.m_request.m_proxyUser = "user";
    EXPECT_EQ(0, client.Execute(server.Url("/start"), kBudgetMs, 10));
    EXPECT_EQ("hello", client.m_response.m_body);
    EXPECT_EQ(0, client.Execute(server.Url("/"), kBudgetMs, 10));
    ASSERT_EQ(3u, server.Requests().size());
    ASSERT_EQ(1u, other.Requests().size());
    for (const char* header : {"Authorization", "Proxy-Authorization", "Cookie", "X-Keep"}) {
        SCOPED_TRACE(header);
        for (const std::string& request : server.Requests())
            EXPECT_TRUE(Sends(request, header));
        EXPECT_EQ(header == std::string("X-Keep"), Sends(other.Requests()[0], header));
    }
    EXPECT_NE(std::string::npos, other.Requests()[0].find("\r\nHost: 127.0.0.1:" + std::to_string(other.Port()) + "\r\n"));
}

// A long chain run on a thread with a small stack: a hop must not cost a
// stack frame.
struct ChainRun {
    std::string url;
    int hops = 3000, result = -9;
    std::string status;
};

void* RunChain(void* user)
{
    auto* run = static_cast<ChainRun*>(user);
    CHttpClient client;
    run->result = client.Execute(run->url, 0, run->hops);
    run->status = client.m_response.m_status;
    return nullptr;
}

TEST(Redirects, ALongChainNeedsNoMoreStackThanOneHop)
{
    CScriptedServer server({Reply(Redirect(302, "/loop"))}, true);
    ChainRun run;
    run.url = server.Url("/loop");
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 128 * 1024);
    pthread_t thread;
    ASSERT_EQ(0, pthread_create(&thread, &attributes, &RunChain, &run));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(0, run.result);
    EXPECT_EQ("302", run.status);
    EXPECT_EQ(run.hops + 1u, server.Requests().size());
}

} // namespace
