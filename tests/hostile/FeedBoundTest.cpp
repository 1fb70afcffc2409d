// A service that sends far more than a reply is ever worth: the poller's body
// bounds fail the reply, and the list and viewer count stay as they were.
#include "feed/FeedPoller.h"

#include <gtest/gtest.h>

#include "ScriptedServer.h"

namespace {

const char kMessage[] =
    R"({"id": 1, "msg": "{\"nickname\": \"kite\", \"msgType\": \"normal\", \"msg\": \"hi\", \"level\": 3}"})";

// A reply whose valid JSON body is padded with spaces to `size` bytes.
std::string Padded(const std::string& json, std::size_t size)
{
    std::string body = json + std::string(size - json.size(), ' ');
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

TEST(FeedBound, OversizedRepliesLeaveTheListAndCountAsTheyWere)
{
    const std::string history = std::string("[") + kMessage + "]";
    const std::string otherHistory = "[" + std::string(kMessage) + "," + kMessage + "]";
    CScriptedServer server({
        Reply(Padded(R"({"online":"37"})", 100)),
        Reply(Padded(history, 1000)),
        Reply(Padded(R"({"online":"99"})", (64 << 10) + 1)),  // one byte past each bound
        Reply(Padded(otherHistory, (4 << 20) + 1)),
        Reply(Padded(R"({"online":"98"})", 64 << 10)),        // at each bound
        Reply(Padded(otherHistory, 4 << 20)),
    });
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());
    CDanmuList list;
    CFeedPoller poller(FeedSettings{host, host, 0}, list, [&] { list.RefreshTaken(); });

    poller.PollOnce(1000);
    EXPECT_TRUE(CycleSucceeded(list.LastOutcome()));
    EXPECT_EQ(37, list.Online());
    EXPECT_EQ(1u, list.Snapshot().size());

    poller.PollOnce(1000);
    const PollOutcome failed = list.LastOutcome();
    EXPECT_EQ(-6, failed.online.error);
    EXPECT_EQ(-6, failed.history.error);
    EXPECT_EQ(37, list.Online());
    EXPECT_EQ(1u, list.Snapshot().size());

    poller.PollOnce(1000);
    EXPECT_TRUE(CycleSucceeded(list.LastOutcome()));
    EXPECT_EQ(98, list.Online());
    EXPECT_EQ(2u, list.Snapshot().size());
}

} // namespace
