// Exchanges that used to end wrongly: a body without length or chunks, a
// request that cannot be written, and a server that never answers the
// connection.
#include "http/HttpClient.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

#include <gtest/gtest.h>

#include "ScriptedServer.h"

namespace {

constexpr int kBudgetMs = 5000;
constexpr int kShortBudgetMs = 300;

TEST(BodyUntilClose, KeepsEveryByteUntilTheServerCloses)
{
    const std::string body = "{\"online\":\"37\"}\r\n\r\nmore lines\r\n";
    CScriptedServer server({{ExpectRequest(), Send("HTTP/1.1 200 OK\r\nServer: x\r\n\r\n"),
                             Pause(20), Send(body.substr(0, 7)), Pause(20), Send(body.substr(7))}});
    CHttpClient client;
    EXPECT_EQ(0, client.Execute(server.Url("/"), kBudgetMs, 0));
    EXPECT_EQ(0, client.m_error);
    EXPECT_EQ(body, client.m_response.m_body);
    EXPECT_EQ("x", client.m_response.m_headers["Server"]);
}

// Methods the request cannot be written with fail before anything is sent,
// rather than waiting for a reply to nothing.
TEST(UnwritableRequest, FailsAtOnceWithTheSendCode)
{
    for (const char* method : {"HEAD", "get", "PUT", ""}) {
        SCOPED_TRACE(method);
        CScriptedServer server({{Stall()}});
        CHttpClient client;
        client.m_request.m_method = method;
        EXPECT_EQ(-1, client.Execute(server.Url("/"), kBudgetMs, 0));
        EXPECT_EQ(HTTP_ERR_SEND, client.m_error);
        EXPECT_TRUE(server.Requests().empty());
    }
}

// A loopback listener that never accepts, its queue full: the kernel drops
// further connection attempts unanswered, as a host behind a silent firewall
// does.
class CFullListener {
public:
    CFullListener()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 0);
        socklen_t size = sizeof address;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        while (m_clients.size() < 16 && ConnectOne(address))
            ;
    }
    ~CFullListener()
    {
        for (int client : m_clients)
            ::close(client);
        ::close(m_listener);
    }
    int Port() const { return m_port; }
    bool Full() const { return m_full; }

private:
    // False once an attempt is left hanging: the queue is full.
    bool ConnectOne(const sockaddr_in& address)
    {
        int client = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        m_clients.push_back(client);
        ::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        pollfd entry{client, POLLOUT, 0};
        m_full = ::poll(&entry, 1, 200) == 0;
        return !m_full;
    }

    int m_listener = -1;
    int m_port = 0;
    bool m_full = false;
    std::vector<int> m_clients;
};

TEST(Connect, AnUnansweredConnectionEndsByTheBudget)
{
    CFullListener listener;
    ASSERT_TRUE(listener.Full());
    CHttpClient client;
    EXPECT_EQ(-1, client.Execute("http://127.0.0.1:" + std::to_string(listener.Port()) + "/",
                                 kShortBudgetMs, 0));
    EXPECT_EQ(HTTP_ERR_BUDGET, client.m_error);
    EXPECT_EQ("", client.m_response.m_body);
}

} // namespace
