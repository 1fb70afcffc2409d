// The remembered settings: their values, the file on disk, and what a
// broken or half-written file leaves.

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/SettingsStore.h"
#include "app/StartUp.h"
#include "feed/JsonParse.h"
#include "tests/common/TempFolder.h"

namespace {

SettingsDocument FromText(const std::string& text)
{
    Json::Value root;
    EXPECT_TRUE(ParseJson(text, root)) << text;
    return ReadSettings(root);
}

unsigned ModeOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

const char kGood[] = R"({"room": 1000, "opacity": 200, "font_size": 14,
    "danmaku_window": {"x": 10, "y": 20, "width": 400, "height": 300},
    "live_host": "live.example.org", "dms_host": "api.example.org:8080", "dms_key": "s_abc",
    "background_only_opacity": false, "wrap_long_messages": true, "hide_notices": true, "hide_gifts": true,
    "blocked_nicknames": ["Spam", "", "广告"], "blocked_words": ["http"], "pass_through_shortcut": "Ctrl+Shift+F9",
    "pass_through_notice_shown": true, "note": "kept as it is"})";

} // namespace

TEST(SettingsTest, AGoodFileGivesEveryValue)
{
    const SettingsDocument doc = FromText(kGood);
    EXPECT_TRUE(doc.problems.empty());
    EXPECT_EQ(doc.values.room, 1000);
    EXPECT_EQ(doc.values.opacity, 200);
    EXPECT_EQ(doc.values.fontSize, 14);
    ASSERT_TRUE(doc.values.danmu.has_value());
    EXPECT_EQ(*doc.values.danmu, (WindowRect{10, 20, 400, 300}));
    EXPECT_EQ(doc.services.liveHost, "live.example.org");
    EXPECT_EQ(doc.services.dmsHost, "api.example.org:8080");
    EXPECT_EQ(doc.services.dmsKey, "s_abc");
    const DanmuOptions& o = doc.values.options;
    EXPECT_FALSE(o.backgroundOnly);
    EXPECT_TRUE(o.wrap && o.hideNotices && o.hideGifts && o.passThroughNoticeShown);
    EXPECT_EQ(o.blockedNicks, (std::vector<std::string>{"Spam", "广告"})); // the empty entry is dropped
    EXPECT_EQ(o.blockedWords, std::vector<std::string>{"http"});
    EXPECT_EQ(o.passThroughKey, "Ctrl+Shift+F9");
}

TEST(SettingsTest, AnEmptyObjectGivesTheDefaults)
{
    const SettingsDocument doc = FromText("{}");
    EXPECT_TRUE(doc.problems.empty());
    EXPECT_EQ(doc.values, RememberedSettings{});
    EXPECT_FALSE(doc.services.liveHost || doc.services.dmsHost || doc.services.dmsKey);
}

// Each bad value: one line naming the key and the value, and the default.
TEST(SettingsTest, EachBadValueIsNamedAndLeftAtItsDefault)
{
    const struct {
        const char* json;
        const char* line;
    } cases[] = {
        {R"({"opacity": 256})", "\"opacity\": 256 is not a whole number from 30 to 255; this run uses 150."},
        {R"({"opacity": 0})", "\"opacity\": 0 is not a whole number from 30 to 255"},
        {R"({"opacity": "abc"})", "\"opacity\": \"abc\" is not a whole number"},
        {R"({"opacity": 99.5})", "\"opacity\": 99.5 is not"},
        {R"({"font_size": 13})", "\"font_size\": 13 is not 11, 12 or 14; this run uses 11."},
        {R"({"room": -1})", "\"room\": -1 is not a room number"},
        {R"({"room": "1000"})", "\"room\": \"1000\" is not a room number"},
        {R"({"danmaku_window": {"x": 0, "y": 0, "width": 199, "height": 250}})", "\"danmaku_window\": {"},
        {R"({"danmaku_window": [1, 2, 3, 4]})", "\"danmaku_window\": [1,2,3,4] is not {x, y, width, height}"},
        {R"({"live_host": "a b"})", "\"live_host\": \"a b\" is not host or host:port"},
        {R"({"dms_host": 8080})", "\"dms_host\": 8080 is not a text"},
        {R"({"dms_key": "k\u0000ey"})", "\"dms_key\": \"k\\x00ey\" holds a blank, a control"},
        {R"({"opacity": "\u202Eevil\n"})", "\"opacity\": \"\\xE2\\x80\\xAEevil\\x0A\""},
        {R"({"wrap_long_messages": 1})", "\"wrap_long_messages\": 1 is not true or false; this run uses false."},
        {R"({"background_only_opacity": "no"})", "is not true or false; this run uses true."},
        {R"({"blocked_words": "spam"})", "\"blocked_words\": \"spam\" is not a list"},
        {R"({"blocked_nicknames": [1]})", "is not a list of at most 500 texts"},
        {R"({"pass_through_shortcut": ""})", "is not a key sequence such as \"Ctrl+Alt+P\"; this run uses Ctrl+Alt+P."},
    };
    for (const auto& c : cases) {
        const SettingsDocument doc = FromText(c.json);
        ASSERT_EQ(doc.problems.size(), 1u) << c.json;
        EXPECT_NE(doc.problems[0].find(c.line), std::string::npos) << doc.problems[0];
        EXPECT_EQ(doc.problems[0].find('\n'), std::string::npos) << doc.problems[0];
        EXPECT_EQ(doc.values, RememberedSettings{}) << c.json;
    }
}

TEST(SettingsTest, ALongBadValueIsCutShortInItsLine)
{
    const SettingsDocument doc = FromText(R"({"live_host": ")" + std::string(5000, 'x') + " y\"}");
    ASSERT_EQ(doc.problems.size(), 1u);
    EXPECT_LT(doc.problems[0].size(), 250u);
}

TEST(SettingsTest, SavingChangesOnlyWhatTheRunChanged)
{
    const SettingsDocument read = FromText(R"({"opacity": "abc", "font_size": 12, "note": [1, 2]})");
    RememberedSettings now = read.values;
    now.room = 42;
    now.danmu = WindowRect{1, 2, 300, 250};
    Json::Value saved;
    ASSERT_TRUE(ParseJson(WriteSettings(read, now), saved));
    EXPECT_EQ(saved["opacity"].asString(), "abc"); // bad, and not changed: left for the user to see
    EXPECT_EQ(saved["font_size"].asInt(), 12);
    EXPECT_EQ(saved["note"].size(), 2u);
    EXPECT_EQ(saved["room"].asInt(), 42);
    EXPECT_EQ(saved["danmaku_window"]["height"].asInt(), 250);

    now.opacity = 90; // now the user chose one
    ASSERT_TRUE(ParseJson(WriteSettings(read, now), saved));
    EXPECT_EQ(saved["opacity"].asInt(), 90);
}

TEST(SettingsTest, SavedSettingsReadBackTheSame)
{
    TempFolder temp;
    const std::string path = temp.Path() + "/orvel-helper/settings.json";
    RememberedSettings now;
    now.room = 7;
    now.opacity = 33;
    now.fontSize = 12;
    now.danmu = WindowRect{-50, 700, 640, 480};
    now.options.backgroundOnly = false;
    now.options.hideGifts = true;
    now.options.blockedNicks = {"Zoë", "弹幕姬"};
    now.options.passThroughKey = "Meta+F12";
    ASSERT_EQ(SaveSettings(path, SettingsDocument{}, now), "");
    std::string log;
    const SettingsDocument back = LoadSettings(path, log);
    EXPECT_EQ(log, "");
    EXPECT_EQ(back.values, now);
}

TEST(SettingsTest, TheFileIsTheUsersAloneWhateverTheUmask)
{
    for (mode_t mask : {0000u, 0022u, 0077u}) {
        TempFolder temp;
        const std::string folder = temp.Path() + "/config/orvel-helper";
        const mode_t old = umask(mask);
        const std::string problem = SaveSettings(folder + "/settings.json", SettingsDocument{}, RememberedSettings{});
        umask(old);
        ASSERT_EQ(problem, "");
        EXPECT_EQ(ModeOf(folder + "/settings.json"), 0600u) << mask;
        EXPECT_EQ(ModeOf(folder), 0700u) << mask;
    }
}

TEST(SettingsTest, AMissingFileGivesTheDefaultsQuietly)
{
    TempFolder temp;
    std::string log;
    const SettingsDocument doc = LoadSettings(temp.Path() + "/settings.json", log);
    EXPECT_EQ(log, "");
    EXPECT_EQ(doc.values, RememberedSettings{});
    EXPECT_TRUE(doc.mayWrite);
}

// Not JSON, not an object, too large, not a file: defaults, a log line, and
// the file kept beside as .bad before anything new is written.
TEST(SettingsTest, AnUnusableFileIsKeptAsBadAndTheDefaultsAreUsed)
{
    const std::string cases[] = {"{\"opacity\": 200", "[1, 2]", "", "\x01\xff garbage",
        "{\"x\": \"" + std::string(70 * 1024, 'a') + "\"}", std::string(100000, '[')};
    for (const std::string& text : cases) {
        TempFolder temp;
        const std::string path = temp.Path() + "/settings.json";
        WriteWhole(path, text);
        std::string log;
        const SettingsDocument doc = LoadSettings(path, log);
        EXPECT_EQ(doc.values, RememberedSettings{});
        EXPECT_NE(log.find("kept as " + path + ".bad"), std::string::npos) << log;
        EXPECT_EQ(ReadWhole(path + ".bad"), text);
        RememberedSettings now;
        now.opacity = 40;
        EXPECT_EQ(SaveSettings(path, doc, now), "");
        EXPECT_EQ(ReadWhole(path + ".bad"), text);
        EXPECT_EQ(LoadSettings(path, log).values.opacity, 40);
    }
}

TEST(SettingsTest, AFolderInThePlaceOfTheFileIsSetAsideToo)
{
    TempFolder temp;
    const std::string path = temp.Path() + "/settings.json";
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    std::string log;
    LoadSettings(path, log);
    EXPECT_NE(log.find("not a regular file"), std::string::npos) << log;
    struct stat info {};
    EXPECT_EQ(stat((path + ".bad").c_str(), &info), 0);
}

// The process dies between writing the new file and renaming it: the old
// file is still whole.
TEST(SettingsTest, AWriteInterruptedBeforeTheRenameLeavesTheOldFileWhole)
{
    TempFolder temp;
    const std::string path = temp.Path() + "/settings.json";
    WriteWhole(path, kGood);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RememberedSettings now;
        now.opacity = 31;
        SaveSettings(path, SettingsDocument{}, now, [] { _exit(3); });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(ReadWhole(path), kGood);
    std::string log;
    EXPECT_EQ(LoadSettings(path, log).values.opacity, 200);
}

// The rename fails (a folder with files sits where the file goes): the
// failure is reported, the folder is untouched and no temporary file stays.
TEST(SettingsTest, AFailedWriteIsReportedAndLeavesNothingBehind)
{
    TempFolder temp;
    const std::string path = temp.Path() + "/settings.json";
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    WriteWhole(path + "/inside", "x");
    EXPECT_NE(SaveSettings(path, SettingsDocument{}, RememberedSettings{}), "");
    EXPECT_EQ(ReadWhole(path + "/inside"), "x");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(temp.Path()))
        entries += entry.path() != path;
    EXPECT_EQ(entries, 0);
}

// Flag over variable over file over the built-in value, for each setting.
TEST(SettingsTest, TheFileNamesServicesWhereNoFlagOrVariableDoes)
{
    const SettingsDocument file = FromText(kGood);
    StartDecision d = DecideStart({"--dms-host=flag.example"}, [](const char* name) -> const char* {
        return std::string(name) == "ORVEL_DMS_KEY" ? "s_env" : nullptr;
    });
    ASSERT_TRUE(d.run);
    TakeSettingsFile(d, file, "/nowhere/settings.json");
    EXPECT_EQ(d.start.feed.liveHost, "live.example.org");
    EXPECT_EQ(d.start.feed.dmsHost, "flag.example");
    EXPECT_EQ(d.start.feed.dmsKey, "s_env");
    EXPECT_EQ(d.start.settings.values.opacity, 200);
    EXPECT_EQ(d.start.settingsPath, "/nowhere/settings.json");
}
