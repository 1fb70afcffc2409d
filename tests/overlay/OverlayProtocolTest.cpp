#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>
#include <json/json.h>

#include "overlay/OverlayEvents.h"
#include "overlay/OverlayPage.h"
#include "overlay/OverlayPlace.h"
#include "overlay/OverlayRequest.h"
#include "overlay/OverlayToken.h"
#include "tests/common/TempFolder.h"

namespace {

const std::string kToken = "0123456789abcdef0123456789abcdef";

TEST(OverlayTokenTest, NewTokensAreValidAndDiffer)
{
    const std::string a = NewOverlayToken();
    EXPECT_TRUE(IsOverlayToken(a));
    EXPECT_NE(a, NewOverlayToken());
}

TEST(OverlayTokenTest, OnlyOneSpellingIsAToken)
{
    EXPECT_TRUE(IsOverlayToken(kToken));
    for (const std::string bad : {"0123456789ABCDEF0123456789abcdef", "0123456789abcdef0123456789abcde",
                                  "0123456789abcdef0123456789abcdef0", "0123456789abcdef0123456789abcdeg", ""})
        EXPECT_FALSE(IsOverlayToken(bad)) << bad;
    EXPECT_TRUE(SameOverlayToken(kToken, kToken));
    for (const std::string other : {"0123456789abcdef0123456789abcdee", "0123456789abcdef", "0123456789abcdef0123456789abcdef0", ""})
        EXPECT_FALSE(SameOverlayToken(other, kToken)) << other;
    EXPECT_FALSE(SameOverlayToken("", ""));
}

TEST(OverlayRouteTest, ChecksHostThenMethodThenToken)
{
    const std::string base = "/overlay/" + kToken;
    struct {
        const char* method;
        const char* host;
        std::string path;
        OverlayRoute route;
        const char* file;
    } const cases[] = {
        {"GET", "127.0.0.1:18931", base + "/", OverlayRoute::Page, ""},
        {"HEAD", "LocalHost", base + "/events", OverlayRoute::Events, ""},
        {"GET", "192.168.1.5:80", base + "/overlay.css", OverlayRoute::File, "overlay.css"},
        {"GET", "localhost:1", base, OverlayRoute::AddSlash, ""},
        {"GET", "evil.example:18931", base + "/", OverlayRoute::WrongHost, ""},
        {"GET", "127.0.0.1.evil.example", base + "/", OverlayRoute::WrongHost, ""},
        {"GET", "localhost:x", base + "/", OverlayRoute::WrongHost, ""},
        {"GET", "", base + "/", OverlayRoute::WrongHost, ""},
        {"POST", "evil.example", base + "/", OverlayRoute::WrongHost, ""},
        {"POST", "127.0.0.1", base + "/", OverlayRoute::BadMethod, ""},
        {"OPTIONS", "127.0.0.1", "/", OverlayRoute::BadMethod, ""},
        {"GET", "127.0.0.1", "/overlay/0123456789abcdef0123456789abcdee/", OverlayRoute::NotFound, ""},
        {"GET", "127.0.0.1", "/overlay//", OverlayRoute::NotFound, ""},
        {"GET", "127.0.0.1", "/", OverlayRoute::NotFound, ""},
    };
    for (const auto& c : cases) {
        const OverlayRequest got = RouteOverlayRequest(c.method, c.host, c.path, "192.168.1.5", kToken);
        EXPECT_EQ(got.route, c.route) << c.method << " " << c.host << " " << c.path;
        EXPECT_EQ(got.file, c.file);
    }
}

Json::Value DataOf(const std::string& frame)
{
    const std::size_t data = frame.find("data: ");
    Json::Value value;
    std::string errors;
    std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    const char* begin = frame.data() + data + 6;
    const char* end = frame.data() + frame.find('\n', data);
    EXPECT_TRUE(reader->parse(begin, end, &value, &errors)) << frame;
    return value;
}

TEST(OverlayEventsTest, RowIsOneLineOfJsonWithItsSequence)
{
    const std::u16string lone(1, char16_t(0xD800));
    const std::string frame = RowEvent("run", 7, DanmuItem{u"a\nb:", u"x\r\ny" + lone, 12, true});
    EXPECT_EQ(frame.rfind("id: run-7\nevent: row\ndata: {", 0), 0u) << frame;
    EXPECT_EQ(frame.find("\n\n"), frame.size() - 2) << frame;
    const Json::Value data = DataOf(frame);
    EXPECT_EQ(data["nick"].asString(), "a\nb");
    EXPECT_EQ(data["msg"].asString(), "x\r\ny\xEF\xBF\xBD");
    EXPECT_EQ(data["level"].asInt(), 12);
    EXPECT_TRUE(data["gift"].asBool());
    EXPECT_EQ(DataOf(StateEvent({}))["state"].asString(), "connecting");
}

TEST(OverlayRingTest, ResumesAfterTheLastIdOfItsOwnRunOnly)
{
    COverlayRing ring("r1");
    for (int i = 0; i < 3; ++i)
        ring.Add(DanmuItem{u"n:", u"m", i});
    struct {
        const char* lastId;
        std::size_t rows;
    } const cases[] = {{"", 3}, {"r1-1", 2}, {"r1-3", 0}, {"r0-1", 0}, {"r1", 0}, {"r1-x", 3}};
    for (const auto& c : cases) {
        std::string frames;
        EXPECT_EQ(ring.After(c.lastId, frames), c.rows) << c.lastId;
    }
    std::string frames;
    ring.After("r1-2", frames);
    EXPECT_EQ(frames.rfind("id: r1-3\n", 0), 0u);
}

TEST(OverlayRingTest, KeepsTheNewestWithinItsBounds)
{
    COverlayRing ring("r");
    for (std::size_t i = 0; i <= COverlayRing::kMaxEvents; ++i)
        ring.Add(DanmuItem{u"n:", u"m", 1});
    std::string frames;
    EXPECT_EQ(ring.After("", frames), COverlayRing::kMaxEvents);
    const std::u16string longText(2000, u'字');
    for (int i = 0; i < 100; ++i)
        ring.Add(DanmuItem{u"n:", longText, 1});
    frames.clear();
    const std::size_t kept = ring.After("", frames);
    EXPECT_LE(frames.size(), COverlayRing::kMaxBytes);
    EXPECT_GT(frames.size() + frames.size() / kept, COverlayRing::kMaxBytes);
}

TEST(OverlayPageTest, FallingBehindClosesThePage)
{
    struct {
        std::size_t events;
        std::size_t bytes;
    } const overflows[] = {{COverlayPage::kMaxEvents + 1, 1}, {1, COverlayPage::kMaxBytes + 1}};
    for (const auto& overflow : overflows) {
        COverlayPage page;
        EXPECT_TRUE(page.Push(std::string(overflow.bytes - 1, 'x'), overflow.events - 1));
        EXPECT_FALSE(page.Push("y", 1));
        EXPECT_FALSE(page.Push("z", 1));
        std::string out;
        EXPECT_EQ(page.Take(out, -1, std::chrono::milliseconds(0)), COverlayPage::Taken::Closed);
    }
}

TEST(OverlayPageTest, TakesFramesWaitsAndEndsWithItsPeer)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    COverlayPage page;
    std::string out;
    EXPECT_EQ(page.Take(out, pair[0], std::chrono::milliseconds(0)), COverlayPage::Taken::Idle);
    page.Push("a");
    page.Push("b");
    EXPECT_EQ(page.Take(out, pair[0], std::chrono::milliseconds(0)), COverlayPage::Taken::Frames);
    EXPECT_EQ(out, "ab");
    close(pair[1]);
    EXPECT_EQ(page.Take(out, pair[0], std::chrono::hours(1)), COverlayPage::Taken::Closed);
    EXPECT_FALSE(page.Push("c"));
    close(pair[0]);
}

TEST(OverlayPlaceTest, PrefersThePageBesideTheProgram)
{
    TempFolder folder;
    const std::string program = folder.Path() + "/bin/";
    EXPECT_EQ(OverlayPageFolderFor(program), program + "../share/orvel-helper/overlay/");
    std::filesystem::create_directories(program + "overlay");
    WriteWhole(program + "overlay/index.html", "<!DOCTYPE html>");
    EXPECT_EQ(OverlayPageFolderFor(program), program + "overlay/");
}

} // namespace
