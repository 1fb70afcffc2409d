#include "overlay/OverlayServer.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "overlay/OverlayListener.h"
#include "tests/common/ThreadCount.h"

namespace {

const std::string kToken = "0123456789abcdef0123456789abcdef";
const std::string kPage = "/overlay/" + kToken + "/";

int Connect(int port)
{
    const int sock = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<uint16_t>(port));
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(connect(sock, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
    return sock;
}

// Reads on after `text` until `marker` has come (empty: until the server closes).
std::string ReadUntil(int sock, const std::string& marker = {}, std::string text = {})
{
    char buffer[4096];
    while (marker.empty() || text.find(marker) == std::string::npos) {
        const ssize_t got = recv(sock, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

std::size_t OpenFiles()
{
    const auto fds = std::filesystem::directory_iterator("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(fds), end(fds)));
}

class OverlayServerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(server.Start("127.0.0.1", 0, kToken, ORVEL_TEST_PAGE), OverlayStart::Started); }

    // A connection that has sent the request.
    int Send(const std::string& path, const std::string& extra = {}, const std::string& method = "GET")
    {
        const int sock = Connect(server.Port());
        const std::string request = method + " " + path + " HTTP/1.1\r\n" + extra + "\r\n";
        EXPECT_EQ(send(sock, request.data(), request.size(), MSG_NOSIGNAL), static_cast<ssize_t>(request.size()));
        return sock;
    }
    std::string Get(const std::string& path, const std::string& extra = "Host: 127.0.0.1\r\n",
                    const std::string& method = "GET")
    {
        const int sock = Send(path, extra, method);
        std::string reply = ReadUntil(sock);
        close(sock);
        return reply;
    }
    // An event stream, read until its opening frames are in (kept in `opened`).
    int Events(const std::string& lastId = {})
    {
        const int sock = Send(kPage + "events", "Host: localhost\r\n" + lastId);
        opened = ReadUntil(sock, "event: online");
        EXPECT_NE(opened.find("200 OK"), std::string::npos);
        return sock;
    }

    COverlayServer server;
    std::string opened;
};

TEST_F(OverlayServerTest, AnswersHostMethodAndTokenChecks)
{
    struct {
        std::string method, path, extra, expect;
    } const cases[] = {
        {"GET", kPage, "Host: 127.0.0.1\r\n", "HTTP/1.1 200 OK"},
        {"GET", kPage, "Host: 127.0.0.1\r\n", "Content-Security-Policy: default-src 'none'; script-src 'self';"},
        {"GET", kPage + "overlay.js", "Host: 127.0.0.1\r\n", "text/javascript"},
        {"GET", kPage + "nothing.js", "Host: 127.0.0.1\r\n", "404"},
        {"GET", "/overlay/0123456789abcdef0123456789abcdee/", "Host: 127.0.0.1\r\n", "404"},
        {"GET", "/overlay/0123456789abcdef0123456789abcdee/", "Host: 127.0.0.1\r\n", "Content-Length: 0\r\n"},
        {"DELETE", kPage, "Host: 127.0.0.1\r\n", "405"},
        {"GET", kPage, "Host: rebound.example\r\n", "421"},
        {"HEAD", kPage + "events", "Host: 127.0.0.1\r\n", "text/event-stream"},
        {"GET", kPage, "Host: 127.0.0.1\r\nX: " + std::string(COverlayListener::kMaxRequestBytes, 'x') + "\r\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_NE(Get(c.path, c.extra, c.method).find(c.expect), std::string::npos) << c.method << " " << c.path;
}

TEST_F(OverlayServerTest, ResumesAfterTheLastRowAcrossReconnectsAndRestarts)
{
    server.Publish({{u"a:", u"1", 1}, {u"b:", u"2", 2}});
    server.SetOnline(42);
    const int first = Events();
    const std::string opening = ReadUntil(first, "-2\n", opened);
    EXPECT_NE(opening.find(R"({"count":42})"), std::string::npos) << opening;
    PollOutcome down;
    down.reported = true;
    server.SetFeedState(down);
    ReadUntil(first, R"("state":"down")");
    const std::size_t id = opening.find("id: ");
    const std::string run = opening.substr(id + 4, opening.find("-1\n", id) - id - 4);
    close(first);
    for (bool restart : {false, true}) {
        if (restart) {
            server.Stop();
            ASSERT_EQ(server.Start("127.0.0.1", 0, kToken, ORVEL_TEST_PAGE), OverlayStart::Started);
        }
        const int again = Events("Last-Event-ID: " + run + "-" + (restart ? "2" : "1") + "\r\n");
        server.Publish({{u"c:", restart ? u"4" : u"3", 3}});
        const std::string resumed = ReadUntil(again, "-" + std::string(restart ? "4" : "3") + "\n", opened);
        EXPECT_EQ(resumed.find("id: " + run + "-1\n"), std::string::npos) << resumed;
        EXPECT_NE(resumed.find("id: " + run + "-" + (restart ? "3" : "2") + "\n"), std::string::npos) << resumed;
        close(again);
    }
    // Another room: an open page is told to drop its rows; a new one gets none
    // of the old room's, and ids go on from where they were.
    const int open = Events();
    server.Clear();
    ReadUntil(open, "event: clear");
    const int fresh = Events();
    server.Publish({{u"d:", u"5", 5}});
    const std::string after = ReadUntil(fresh, "-5\n", opened);
    EXPECT_EQ(after.find("-4\n"), std::string::npos) << after;
    close(open);
    close(fresh);
}

TEST_F(OverlayServerTest, RefusesPagesPastTheLimitAndFreesClosedOnes)
{
    std::vector<int> pages;
    for (std::size_t i = 0; i < kMaxOverlayClients; ++i)
        pages.push_back(Events());
    EXPECT_NE(Get(kPage + "events", "Host: localhost\r\n").find("503"), std::string::npos);
    const std::size_t threads = ThreadCount();
    const std::size_t files = OpenFiles();
    for (int i = 0; i < 100; ++i) {
        close(pages.back());
        while (server.OpenPages() == kMaxOverlayClients)
            std::this_thread::yield();
        pages.back() = Events();
    }
    // A connection the server has just let go of may still be open for a moment.
    EXPECT_LE(ThreadCount(), threads);
    EXPECT_LE(OpenFiles(), files + 2);
    for (int page : pages)
        close(page);
}

TEST_F(OverlayServerTest, DropsAPageThatDoesNotRead)
{
    const int reader = Events();
    const int stuck = Send(kPage + "events", "Host: localhost\r\n");
    while (server.OpenPages() < 2)
        std::this_thread::yield();
    const DanmuItem row{u"n:", std::u16string(400, u'x'), 1};
    for (int i = 0; i < 100000 && server.OpenPages() == 2; ++i) {
        server.Publish({row});
        ReadUntil(reader, "-" + std::to_string(i + 1) + "\n");
    }
    EXPECT_EQ(server.OpenPages(), 1u);
    close(stuck);
    close(reader);
}

TEST_F(OverlayServerTest, StopAndNewTokenCloseEveryConnection)
{
    const int page = Events();
    const int idle = Connect(server.Port());
    server.ResetToken("fedcba9876543210fedcba9876543210");
    ReadUntil(page);
    EXPECT_NE(Get(kPage).find("404"), std::string::npos);
    EXPECT_NE(Get("/overlay/fedcba9876543210fedcba9876543210/").find("200 OK"), std::string::npos);
    const int later = Send("/overlay/fedcba9876543210fedcba9876543210/events", "Host: localhost\r\n");
    ReadUntil(later, "event: online");
    server.Stop();
    EXPECT_EQ(ReadUntil(idle), "");
    ReadUntil(later);
    EXPECT_FALSE(server.Running());
    for (int sock : {page, idle, later})
        close(sock);
}

TEST(OverlayStartTest, SaysWhyItCannotStart)
{
    COverlayServer first;
    ASSERT_EQ(first.Start("127.0.0.1", 0, kToken, ORVEL_TEST_PAGE), OverlayStart::Started);
    struct {
        std::string address;
        int port;
        std::string page;
        OverlayStart result;
    } const cases[] = {
        {"127.0.0.1", first.Port(), ORVEL_TEST_PAGE, OverlayStart::PortTaken},
        {"localhost", 0, ORVEL_TEST_PAGE, OverlayStart::BadAddress},
        {"192.0.2.1", 0, ORVEL_TEST_PAGE, OverlayStart::Failed},
        {"192.0.2.1", first.Port(), ORVEL_TEST_PAGE, OverlayStart::AddressUnavailable},
        {"127.0.0.1", 0, "/nonexistent", OverlayStart::PageMissing},
    };
    for (const auto& c : cases) {
        COverlayServer second;
        EXPECT_EQ(second.Start(c.address, c.port, kToken, c.page), c.result) << c.address << ":" << c.port;
        EXPECT_FALSE(second.Running());
    }
}

} // namespace
