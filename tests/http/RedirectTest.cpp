// Following 301 and 302 replies: what each leg sends, and where.
#include "http/HttpClient.h"

#include <pthread.h>

#include <gtest/gtest.h>

#include "ScriptedServer.h"
#include "http/Credentials.h"

namespace {

constexpr int kBudgetMs = 5000;

const char kHello[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

std::string RequestLine(const std::string& request)
{
    return request.substr(0, request.find("\r\n"));
}

std::string Redirect(int status, const std::string& location)
{
    std::string reply = "HTTP/1.1 " + std::to_string(status) + " Moved\r\n";
    if (!location.empty())
        reply += "Location: " + location + "\r\n";
    return reply + "Content-Length: 4\r\n\r\nmove";
}

TEST(Redirects, FoundIsFollowedOnceAtLimitOne)
{
    CScriptedServer server({Reply(Redirect(302, "/next?a=1")), Reply(Redirect(302, "/again")),
                            Reply(kHello)});
    CHttpClient client;
    client.m_request.SetHeader("X-Keep", "1");
    EXPECT_EQ(0, client.Execute(server.Url("/first/page"), kBudgetMs, 1));
    EXPECT_EQ(0, client.m_error);
    EXPECT_EQ("302", client.m_response.m_status);
    EXPECT_EQ("move", client.m_response.m_body);
    ASSERT_EQ(2u, server.Requests().size());
    EXPECT_EQ("GET /first/page HTTP/1.1", RequestLine(server.Requests()[0]));
    EXPECT_EQ("GET /next?a=1 HTTP/1.1", RequestLine(server.Requests()[1]));
    EXPECT_NE(std::string::npos, server.Requests()[1].find("\r\nX-Keep: 1\r\n"));
}

TEST(Redirects, NotFollowed)
{
    struct {
        int status;
        const char* location;
        int limit;
    } cases[] = {{301, "", 10}, {303, "/x", 10}, {307, "/x", 10}, {302, "/x", 0}, {302, "/x", -1}};
    for (const auto& c : cases) {
        CScriptedServer server({Reply(Redirect(c.status, c.location))});
        CHttpClient client;
        EXPECT_EQ(0, client.Execute(server.Url("/"), kBudgetMs, c.limit)) << c.status;
        EXPECT_EQ(0, client.m_error);
        EXPECT_EQ(std::to_string(c.status), client.m_response.m_status);
        EXPECT_EQ("move", client.m_response.m_body);
        EXPECT_EQ(1, server.Connections());
    }
}

TEST(Redirects, UnusableLocationFailsTheNextLeg)
{
    CScriptedServer server({Reply(Redirect(302, "mailto:x"))});
    CHttpClient client;
    EXPECT_EQ(-1, client.Execute(server.Url("/"), kBudgetMs, 5));
    EXPECT_EQ(-1, client.m_error);
    EXPECT_EQ("", client.m_response.m_body);
}

bool Sends(const std::string& request, const std::string& header)
{
    return request.find("\r\n" + header + ": ") != std::string::npos;
}

const char* const kCredentials[] = {"Authorization", "Proxy-Authorization", "Cookie"};

void SetCredentials(CHttpClient& client)
{
    client.m_request.SetHeader("Authorization", "dms secret");
    client.m_request.SetHeader("Cookie", "session=1");
    client.m_request.m_useProxy = true;
    client.m_request.m_proxyAuthScheme = "Basic";
    client.m_request.m_proxyUser = "user";
}

TEST(RedirectCredentials, StayWithTheFirstHostAndPort)
{
    CScriptedServer other({Reply(kHello)});
    CScriptedServer server({Reply(Redirect(302, "/same")), Reply(Redirect(301, other.Url("/away")))});
    CHttpClient client;
    SetCredentials(client);
    client.m_request.SetHeader("X-Keep", "1");
    EXPECT_EQ(0, client.Execute(server.Url("/start"), kBudgetMs, 10));
    EXPECT_EQ("hello", client.m_response.m_body);
    ASSERT_EQ(2u, server.Requests().size());
    ASSERT_EQ(1u, other.Requests().size());
    for (const char* header : kCredentials) {
        SCOPED_TRACE(header);
        EXPECT_TRUE(Sends(server.Requests()[0], header));
        EXPECT_TRUE(Sends(server.Requests()[1], header));  // same host and port
        EXPECT_FALSE(Sends(other.Requests()[0], header));  // another port
    }
    EXPECT_TRUE(Sends(other.Requests()[0], "X-Keep"));
    const std::string host = "\r\nHost: 127.0.0.1:" + std::to_string(other.Port()) + "\r\n";
    EXPECT_NE(std::string::npos, other.Requests()[0].find(host));
}

TEST(RedirectCredentials, TheCallersRequestKeepsThemForItsNextExchange)
{
    CScriptedServer other({Reply(kHello)});
    CScriptedServer server({Reply(Redirect(302, other.Url("/"))), Reply(kHello)});
    CHttpClient client;
    SetCredentials(client);
    EXPECT_EQ(0, client.Execute(server.Url("/"), kBudgetMs, 10));
    ASSERT_EQ(1u, other.Requests().size());
    EXPECT_FALSE(Sends(other.Requests()[0], "Authorization"));

    std::string value;
    EXPECT_EQ(0, client.m_request.GetHeader("Authorization", value));
    EXPECT_EQ("dms secret", value);
    EXPECT_EQ(0, client.m_request.GetHeader("Cookie", value));
    EXPECT_EQ("user", client.m_request.m_proxyUser);
    EXPECT_EQ(0, client.Execute(server.Url("/"), kBudgetMs, 10));
    ASSERT_EQ(2u, server.Requests().size());
    for (const char* header : kCredentials)
        EXPECT_TRUE(Sends(server.Requests()[1], header)) << header;
}

TEST(SameServer, HostInAnyLetterCaseAndTheSamePort)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"http://LocalHost/a", "http://localhost:80/b?c", true},
        {"http://h:8080/", "ftp://h:8080/x", true},
        {"http://h:99999/", "http://h/", true},  // the request stores 80 for it
        {"http://h:8080/", "http://h:8081/", false},
        {"http://h/", "http://h.example/", false},
        {"http://h/", "http:///x", false},
        {"", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.same, SameServer(c.a, c.b)) << c.a << " " << c.b;
}

// Runs a long redirect chain on a thread with a small stack: each hop must
// not cost a stack frame.
struct ChainRun {
    std::string url;
    int hops = 0;
    int result = -9;
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
    constexpr int kHops = 3000;
    CScriptedServer server({Reply(Redirect(302, "/loop"))}, true);
    ChainRun run;
    run.url = server.Url("/loop");
    run.hops = kHops;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 128 * 1024);
    pthread_t thread;
    ASSERT_EQ(0, pthread_create(&thread, &attributes, &RunChain, &run));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(0, run.result);
    EXPECT_EQ("302", run.status);
    EXPECT_EQ(kHops + 1u, server.Requests().size());
}

} // namespace
