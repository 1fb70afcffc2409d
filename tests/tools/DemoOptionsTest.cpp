#include "tools/DemoOptions.h"
#include "tools/DemoReplies.h"

#include <gtest/gtest.h>

namespace {

struct OptionCase {
    std::vector<std::string> args;
    bool accepted;
    DemoOptions expected;   // compared when accepted
};

void PrintTo(const OptionCase& c, std::ostream* os)
{
    for (const std::string& arg : c.args) {
        *os << arg << ' ';
    }
}

DemoOptions With(void (*change)(DemoOptions&))
{
    DemoOptions options;
    change(options);
    return options;
}

class DemoOptionsTest : public testing::TestWithParam<OptionCase> {};

TEST_P(DemoOptionsTest, ReadsKnownOptionsAndRefusesTheRest)
{
    DemoOptions options;
    std::string error;
    ASSERT_EQ(ParseDemoOptions(GetParam().args, options, error), GetParam().accepted);
    if (!GetParam().accepted) {
        EXPECT_NE(error.find(GetParam().args.back()), std::string::npos);
        return;
    }
    const DemoOptions& expected = GetParam().expected;
    EXPECT_EQ(options.livePort, expected.livePort);
    EXPECT_EQ(options.dmsPort, expected.dmsPort);
    EXPECT_EQ(options.online, expected.online);
    EXPECT_EQ(options.history, expected.history);
    EXPECT_EQ(options.redirect, expected.redirect);
    EXPECT_EQ(options.chunked, expected.chunked);
    EXPECT_EQ(options.record, expected.record);
    EXPECT_EQ(options.slowMs, expected.slowMs);
    EXPECT_EQ(options.seed, expected.seed);
    EXPECT_EQ(options.chat.messageLength, expected.chat.messageLength);
    EXPECT_EQ(options.chat.historySize, expected.chat.historySize);
    EXPECT_EQ(options.chat.hugeMessage, expected.chat.hugeMessage);
    EXPECT_EQ(options.outageSeconds, expected.outageSeconds);
}

INSTANTIATE_TEST_SUITE_P(Arguments, DemoOptionsTest, testing::Values(
    OptionCase{{}, true, DemoOptions{}},
    OptionCase{{"--live-port=18090", "--dms-port=0"}, true, With([](DemoOptions& o) { o.livePort = 18090; })},
    OptionCase{{"--online=array", "--history=object"}, true,
               With([](DemoOptions& o) { o.online = OnlineMode::Array; o.history = HistoryMode::Object; })},
    OptionCase{{"--online=number", "--history=unparsable"}, true,
               With([](DemoOptions& o) { o.online = OnlineMode::Number; o.history = HistoryMode::Unparsable; })},
    OptionCase{{"--redirect", "--chunked", "--slow=250", "--seed=9"}, true,
               With([](DemoOptions& o) { o.redirect = o.chunked = true; o.slowMs = 250; o.seed = 9; })},
    OptionCase{{"--record"}, true, With([](DemoOptions& o) { o.record = true; })},
    OptionCase{{"--message-length=300", "--history-size=10000"}, true,
               With([](DemoOptions& o) { o.chat.messageLength = 300; o.chat.historySize = 10000; })},
    OptionCase{{"--huge-message=52428800", "--outage=20"}, true,
               With([](DemoOptions& o) { o.chat.hugeMessage = 52428800; o.outageSeconds = 20; })},
    OptionCase{{"--outage=60"}, false, {}},
    OptionCase{{"--history-size=-1"}, false, {}},
    OptionCase{{"--huge-message=1000000000"}, false, {}},
    OptionCase{{"--message-length="}, false, {}},
    OptionCase{{"--live-port=65536"}, false, {}},
    OptionCase{{"--slow=abc"}, false, {}},
    OptionCase{{"--online=ARRAY"}, false, {}},
    OptionCase{{"--history=array"}, false, {}},
    OptionCase{{"--chunked=yes"}, false, {}},
    OptionCase{{"--redirect", "--verbose"}, false, {}}));

TEST(DemoOptionsTest, DefaultsAreRealPorts)
{
    const DemoOptions options = DefaultDemoOptions();
    EXPECT_GT(options.livePort, 0);
    EXPECT_GT(options.dmsPort, 0);
    EXPECT_NE(options.livePort, options.dmsPort);
}


TEST(DemoOptionsTest, AnOutageIsTheEndOfEveryMinute)
{
    EXPECT_FALSE(InOutage(0, 59999));
    EXPECT_FALSE(InOutage(20, 0));
    EXPECT_FALSE(InOutage(20, 39999));
    EXPECT_TRUE(InOutage(20, 40000));
    EXPECT_TRUE(InOutage(20, 59999));
    EXPECT_FALSE(InOutage(20, 60000));
    EXPECT_TRUE(InOutage(20, 60000 * 7 + 45000));
}

} // namespace
