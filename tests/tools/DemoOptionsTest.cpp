#include "tools/DemoOptions.h"
#include "tools/DemoReplies.h"

#include <tuple>

#include <gtest/gtest.h>

namespace {

auto Fields(const DemoOptions& o)
{
    return std::make_tuple(o.livePort, o.dmsPort, o.online, o.history, o.redirect, o.chunked, o.record, o.slowMs,
                           o.seed, o.chat.messageLength, o.chat.historySize, o.chat.hugeMessage, o.outageSeconds);
}

DemoOptions With(void (*change)(DemoOptions&))
{
    DemoOptions options;
    change(options);
    return options;
}

TEST(DemoOptionsTest, ReadsKnownOptionsAndRefusesTheRest)
{
    const struct { std::vector<std::string> args; bool accepted; DemoOptions expected; /* when accepted */ } cases[] = {
        {{}, true, DemoOptions{}},
        {{"--live-port=18090", "--dms-port=0"}, true, With([](DemoOptions& o) { o.livePort = 18090; })},
        {{"--online=array", "--history=object"}, true,
         With([](DemoOptions& o) { o.online = OnlineMode::Array; o.history = HistoryMode::Object; })},
        {{"--online=number", "--history=unparsable"}, true,
         With([](DemoOptions& o) { o.online = OnlineMode::Number; o.history = HistoryMode::Unparsable; })},
        {{"--redirect", "--chunked", "--slow=250", "--seed=9", "--record"}, true,
         With([](DemoOptions& o) { o.redirect = o.chunked = o.record = true; o.slowMs = 250; o.seed = 9; })},
        {{"--message-length=300", "--history-size=10000", "--huge-message=52428800", "--outage=20"}, true,
         With([](DemoOptions& o) { o.chat = {300, 10000, 52428800}; o.outageSeconds = 20; })},
        // One of each kind of refusal.
        {{"--outage=60"}, false, {}},       {{"--message-length="}, false, {}}, {{"--slow=abc"}, false, {}},
        {{"--online=ARRAY"}, false, {}},    {{"--chunked=yes"}, false, {}},     {{"--redirect", "--verbose"}, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "" : c.args.back());
        DemoOptions options;
        std::string error;
        ASSERT_EQ(ParseDemoOptions(c.args, options, error), c.accepted);
        if (c.accepted)
            EXPECT_EQ(Fields(options), Fields(c.expected));
        else
            EXPECT_NE(error.find(c.args.back()), std::string::npos);
    }
}

TEST(DemoOptionsTest, DefaultsAreRealPorts)
{
    const DemoOptions o = DefaultDemoOptions();
    EXPECT_TRUE(o.livePort > 0 && o.dmsPort > 0 && o.livePort != o.dmsPort) << o.livePort << " " << o.dmsPort;
}

TEST(DemoOptionsTest, AnOutageIsTheEndOfEveryMinute)
{
    const std::tuple<int, std::int64_t, bool> cases[] = {{0, 59999, false}, {20, 0, false}, {20, 39999, false},
        {20, 40000, true}, {20, 59999, true}, {20, 60000, false}, {20, 60000 * 7 + 45000, true}};
    for (const auto& [seconds, ms, outage] : cases)
        EXPECT_EQ(InOutage(seconds, ms), outage) << seconds << " " << ms;
}

} // namespace
