// Before any window: the command line, the environment and their order.

#include <gtest/gtest.h>

#include <map>

#include "app/config/StartUp.h"

namespace {

using Env = std::map<std::string, std::string>;

StartDecision Decide(const std::vector<std::string>& args, const Env& env = {})
{
    return DecideStart(args, [&env](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    });
}

// Bad values, and a part of the line each must give.
struct BadCase {
    std::vector<std::string> args;
    Env env;
    std::string line;
};
const BadCase kBadCases[] = {
        {{"--live-host=a b"}, {}, "--live-host on the command line: \"a b\" is not host or host:port"},
        {{"--live-host="}, {}, "--live-host on the command line: \"\" has no host name"},
        {{"--dms-host=x:0"}, {}, "--dms-host on the command line: \"x:0\" has no port from 1 to 65535"},
        {{"--dms-host=-x"}, {}, "a name starts with a letter or digit"},
        {{"--dms-host=" + std::string(254, 'h')}, {}, "is longer than 253 characters"},
        {{"--dms-key="}, {}, "--dms-key on the command line: \"\" is empty"},
        {{"--dms-key=a\r\nX-Evil: 1"}, {}, "\"a\\x0D\\x0AX-Evil: 1\" holds a blank, a control"},
        {{"--dms-key=" + std::string(300, 'k')}, {}, "is longer than 256 characters"},
        {{"--room=abc"}, {}, "--room on the command line: \"abc\" is not a room number"},
        {{"--room=2147483648"}, {}, "\"2147483648\" is not a room number"},
        {{"--room"}, {}, "--room on the command line needs a value: --room=VALUE"},
        {{"--colour=red"}, {}, "unknown option \"--colour\" (see --help)"},
        {{"--\x1B[31mred"}, {}, "unknown option \"--\\x1B[31mred\""},
        {{"--room=\xEF\xBC\x91\xEF\xBC\x92"}, {}, "is not a room number"}, // full-width digits
        {{"--live-host=\xE7\x9B\xB4\xE6\x92\xAD.example"}, {}, "\"\\xE7\\x9B\\xB4"},
        {{}, {{"ORVEL_DMS_HOST", "x:y"}}, "ORVEL_DMS_HOST in the environment: \"x:y\" has no port"},
        {{}, {{"ORVEL_DMS_KEY", "\xE5\xBC\xB9"}}, "ORVEL_DMS_KEY in the environment: \"\\xE5\\xBC\\xB9\" holds"},
        // A wrong variable is told even where a flag overrides it.
        {{"--live-host=good"}, {{"ORVEL_LIVE_HOST", "bad host"}}, "ORVEL_LIVE_HOST in the environment"},
};

} // namespace

// Flag over variable over file over the built-in value.
TEST(StartUpTest, AFlagWinsOverItsVariableAndAVariableOverTheBuiltInValue)
{
    struct Case {
        std::vector<std::string> args;
        Env env;
        std::string live, dms, key;
    };
    const FeedSettings b = BuiltInFeedSettings();
    ASSERT_EQ(b.dmsKey, "s_7c3e91a0d25b48f6e0a9c4d1b8f27e63");
    const Case cases[] = {
        {{}, {}, b.liveHost, b.dmsHost, b.dmsKey},
        {{"--live-host=flag.example:81"}, {{"ORVEL_LIVE_HOST", "env.example"}}, "flag.example:81", b.dmsHost, b.dmsKey},
        {{}, {{"ORVEL_LIVE_HOST", "env.example"}}, "env.example", b.dmsHost, b.dmsKey},
        {{"--dms-host=10.0.0.2:8000"}, {{"ORVEL_DMS_HOST", "env.example"}}, b.liveHost, "10.0.0.2:8000", b.dmsKey},
        {{"--dms-key=s_flag"}, {{"ORVEL_DMS_KEY", "s_env"}}, b.liveHost, b.dmsHost, "s_flag"},
        {{}, {{"ORVEL_DMS_KEY", "s_env"}}, b.liveHost, b.dmsHost, "s_env"},
        {{}, {{"ORVEL_LIVE_HOST", ""}}, b.liveHost, b.dmsHost, b.dmsKey}, // empty counts as unset
        {{"--live-host=a", "--live-host=b"}, {}, "b", b.dmsHost, b.dmsKey}, // the later flag
    };
    for (const Case& c : cases) {
        StartDecision d = Decide(c.args, c.env);
        ASSERT_TRUE(d.run) << d.error;
        EXPECT_FALSE(d.start.room.has_value());
        EXPECT_EQ(d.start.feed.dmsKey, c.key); // before the file is read
        SettingsDocument file;
        file.services = ServiceValues{"file.example", "file.example", "s_file"};
        TakeSettingsFile(d, file, "settings.json");
        EXPECT_EQ(d.start.feed.liveHost, c.live == b.liveHost ? "file.example" : c.live);
        EXPECT_EQ(d.start.feed.dmsHost, c.dms == b.dmsHost ? "file.example" : c.dms);
        EXPECT_EQ(d.start.feed.dmsKey, c.key == b.dmsKey ? "s_file" : c.key);
    }
}

TEST(StartUpTest, RoomFlagOpensThatRoom)
{
    for (int room : {1000, 0, 2147483647})
        EXPECT_EQ(Decide({"--room=" + std::to_string(room)}).start.room, room);
}

TEST(StartUpTest, HelpAndVersionPrintAndExitZero)
{
    for (const char* arg : {"--help", "-h", "--version"}) {
        const StartDecision d = Decide({arg, "--live-host=x"});
        EXPECT_TRUE(!d.run && d.exitCode == 0 && d.error.empty()) << arg;
        EXPECT_NE(d.output.find("OrvelHelper"), std::string::npos) << arg;
    }
    EXPECT_EQ(Decide({"--version"}).output, "OrvelHelper " ORVEL_TEST_VERSION "\n");
}

// Each bad value: exit 2 and one line on standard error that names the value
// and where it came from.
TEST(StartUpTest, BadValuesAreRefusedWithOneLineNamingValueAndSource)
{
    for (const BadCase& c : kBadCases) {
        const StartDecision d = Decide(c.args, c.env);
        EXPECT_FALSE(d.run) << c.line;
        EXPECT_EQ(d.exitCode, 2) << c.line;
        EXPECT_EQ(d.error.rfind("OrvelHelper: ", 0), 0u) << d.error;
        EXPECT_NE(d.error.find(c.line), std::string::npos) << d.error;
        EXPECT_EQ(d.error.find('\n'), d.error.size() - 1) << "one line: " << d.error;
        EXPECT_LT(d.error.size(), 200u) << "a long value is cut: " << d.error;
    }
}
