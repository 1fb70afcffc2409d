// The remembered settings: their values, the file on disk, two copies of the
// program sharing it, and what a broken or half-written file leaves.

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/config/SettingsStore.h"
#include "feed/JsonParse.h"
#include "app/config/ConfigValues.h"
#include "tests/common/TempFolder.h"

namespace {

using List = std::vector<std::string>;

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

RememberedSettings Load(const std::string& path)
{
    std::string log;
    const SettingsDocument doc = LoadSettings(path, log);
    EXPECT_EQ(log, "");
    return doc.values;
}

const char kGood[] = R"({"room": 1000, "opacity": 200, "font_size": 14,
    "danmaku_window": {"x": 10, "y": 20, "width": 400, "height": 300},
    "live_host": "live.example.org", "dms_host": "api.example.org:8080", "dms_key": "s_abc",
    "background_only_opacity": false, "wrap_long_messages": true, "hide_notices": true, "hide_gifts": true,
    "blocked_nicknames": ["Spam", "", "广告"], "blocked_words": ["http"], "pass_through_shortcut": "Ctrl+Shift+F9",
    "pass_through_notice_shown": true, "chat_log": true, "fade_seconds": 30, "read_aloud": "highlighted",
    "speech_rate": -10, "speech_volume": 0, "gift_sound": true, "show_hide_shortcut": "Meta+H",
    "clear_shortcut": "Alt+F2", "highlight_words": [" 主播 "], "overlay_enabled": true, "overlay_port": 8080,
    "overlay_bind": "192.168.1.5", "overlay_token": "0123456789abcdef0123456789abcdef", "note": "kept as it is"})";

} // namespace

// Each bad value: one line naming the key and the value, and the default.
TEST(SettingsTest, EachBadValueIsNamedAndLeftAtItsDefault)
{
    std::string numbers = "[1";
    for (int i = 0; i < 40; ++i)
        numbers += ",1";
    const struct {
        std::string json;
        std::string line;
    } cases[] = {
        {R"({"opacity": 256})", "\"opacity\": 256 is not a whole number from 30 to 255; this run uses 150."},
        {R"({"opacity": "abc"})", "\"opacity\": \"abc\" is not a whole number"},
        {R"({"opacity": )" + numbers + "]}", "\"opacity\": " + numbers.substr(0, kMaxShownValue) + "... is not"},
        {R"({"font_size": 13})", "\"font_size\": 13 is not 11, 12 or 14; this run uses 11."},
        {R"({"room": -1})", "\"room\": -1 is not a room number"},
        {R"({"danmaku_window": {"x": 0, "y": 0, "width": 199, "height": 250}})", "\"danmaku_window\": {"},
        {R"({"live_host": ")" + std::string(70, 'x') + " y\"}", "\"" + std::string(kMaxShownValue, 'x') + "\"... is not"},
        {R"({"dms_host": 8080})", "\"dms_host\": 8080 is not a text"},
        {R"({"wrap_long_messages": 1})", "\"wrap_long_messages\": 1 is not true or false; this run uses false."},
        {R"({"blocked_words": "spam"})", "\"blocked_words\": \"spam\" is not a list"},
        {R"({"pass_through_shortcut": ""})", "is not a key sequence such as \"Ctrl+Alt+P\"; this run uses Ctrl+Alt+P."},
        {R"({"fade_seconds": 9})", "\"fade_seconds\": 9 is not 0 or a whole number from 10 to 600; this run uses 0."},
        {R"({"fade_seconds": 601})", "\"fade_seconds\": 601 is not 0 or"},
        {R"({"read_aloud": "All"})", "is not \"off\", \"all\", \"gifts\" or \"highlighted\"; this run uses \"off\"."},
        {R"({"speech_rate": 11})", "\"speech_rate\": 11 is not a whole number from -10 to 10; this run uses 0."},
        {R"({"speech_volume": -1})", "is not a whole number from 0 to 100; this run uses 100."},
        {R"({"gift_sound": "yes"})", "is not true or false; this run uses false."},
        {R"({"clear_shortcut": 3})", "\"clear_shortcut\": 3 is not a key sequence such as \"Ctrl+Alt+P\"; this run uses Ctrl+Alt+C."},
        {R"({"highlight_words": [1]})", "\"highlight_words\": [1] is not a list"},
        {R"({"overlay_enabled": "yes"})", "\"overlay_enabled\": \"yes\" is not true or false; this run uses false."},
        {R"({"overlay_port": 65536})", "\"overlay_port\": 65536 is not a port from 1 to 65535; this run uses 18931."},
        {R"({"overlay_bind": "0000:0000:0000:0000"})", "\"overlay_bind\": \"0000:0000:0000:0000\" is not an IPv4"},
        {R"({"overlay_token": "ABCDEF0123456789abcdef0123456789"})", "\"overlay_token\": \"ABCD\"... is not 32"},
    };
    for (const auto& c : cases) {
        const SettingsDocument doc = FromText(c.json);
        ASSERT_EQ(doc.problems.size(), 1u) << c.json;
        EXPECT_NE(doc.problems[0].find(c.line), std::string::npos) << doc.problems[0];
        EXPECT_EQ(doc.problems[0].find('\n'), std::string::npos) << doc.problems[0];
        EXPECT_EQ(doc.values, RememberedSettings{}) << c.json;
    }
}

// An entry " " would hide every message with a space in it; one with a NUL
// would match only up to the NUL.
TEST(SettingsTest, BlockListsAreCleanedAsTheSettingsWindowCleansThem)
{
    const SettingsDocument doc =
        FromText(R"({"blocked_words": [" ", "\u3000", " spam\t", "a\u0000b", "\n"], "blocked_nicknames": ["x\r\ny"]})");
    EXPECT_EQ(doc.values.options.blockedWords, (List{"spam", "a", "b"}));
    EXPECT_EQ(doc.values.options.blockedNicks, (List{"x", "y"}));
}

// A good file gives every value. Saved, they read back the same, even with
// both block lists full of the entries that take the most room written; the
// file is the user's alone (0600 in a 0700 folder) whatever the umask.
TEST(SettingsTest, SavedSettingsReadBackTheSameEvenAtTheirLargest)
{
    TempFolder temp;
    const std::string folder = temp.Path() + "/config/orvel-helper", path = folder + "/settings.json";
    EXPECT_EQ(Load(path), RememberedSettings{}); // none yet: the defaults, quietly
    const SettingsDocument good = FromText(kGood);
    EXPECT_TRUE(good.problems.empty());
    RememberedSettings now = good.values;
    EXPECT_EQ(now, (RememberedSettings{1000, 200, 14, WindowRect{10, 20, 400, 300},
                       DanmuOptions{false, true, true, true, {"Spam", "广告"}, {"http"}, "Ctrl+Shift+F9", true, true, 30,
                           ReadAloud::Highlighted, -10, 0, true, "Meta+H", "Alt+F2", {"主播"}},
                       OverlayOptions{true, 8080, "192.168.1.5", "0123456789abcdef0123456789abcdef"}}));
    EXPECT_TRUE(good.services.liveHost == "live.example.org" && good.services.dmsHost == "api.example.org:8080"
        && good.services.dmsKey == "s_abc");
    for (mode_t mask : {0000u, 0022u, 0077u}) {
        const mode_t old = umask(mask);
        ASSERT_EQ(SaveSettings(path, RememberedSettings{}, now), "");
        umask(old);
        EXPECT_EQ(ModeOf(path), 0600u) << mask;
        EXPECT_EQ(ModeOf(folder), 0700u) << mask;
        EXPECT_EQ(Load(path), now);
        std::filesystem::remove_all(folder);
    }
    now.options.blockedNicks.assign(kMaxBlockEntries, std::string(kMaxBlockEntryBytes, '\\'));
    now.options.blockedWords = now.options.highlightWords = now.options.blockedNicks;
    ASSERT_EQ(SaveSettings(path, RememberedSettings{}, now), "");
    EXPECT_EQ(Load(path), now);
}

// Another copy may have saved since this one read the file: each save
// brings in only what its own run changed. What no run changed stays byte
// for byte (text that is not UTF-8, a bad value), and reading adds nothing
// (no "dms_key": null).
TEST(SettingsTest, EachSaveChangesOnlyWhatItsRunChanged)
{
    TempFolder temp;
    const std::string path = temp.Path() + "/settings.json";
    WriteWhole(path, "{\"caf\xe9\": \"caf\xe9 x\", \"word\": [\"\xe5\xbc\xb9\"], \"font_size\": \"big\"}");
    const RememberedSettings readA = Load(path), readB = Load(path);
    RememberedSettings a = readA, b = readB;
    a.opacity = 60;
    a.options.blockedWords = {"spam"};
    b.room = 5;
    ASSERT_EQ(SaveSettings(path, readA, a), "");
    ASSERT_EQ(SaveSettings(path, readB, b), "");
    RememberedSettings both = a;
    both.room = 5;
    EXPECT_EQ(Load(path), both);
    const std::string text = ReadWhole(path);
    EXPECT_NE(text.find("\"caf\xe9\" : \"caf\xe9 x\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"\xe5\xbc\xb9\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"font_size\" : \"big\""), std::string::npos) << text;
    EXPECT_EQ(text.find("null"), std::string::npos) << text;
}

// Not JSON, trailing text, a repeated key, not an object, too large, not a
// file: the defaults, a log line, and the file kept beside as .bad before anything new
// is written; each earlier one moves on a number, up to kBadFilesKept.
TEST(SettingsTest, EachUnusableFileIsKeptAsBadAndTheDefaultsAreUsed)
{
    const std::string cases[] = {"{\"opacity\": 200", R"({"room": 5} {"opacity": 60})", "{\"a\": 1, \"a\": 2}",
        "[1, 2]", "", "\x01\xff garbage", "{\"x\": \"" + std::string(kMaxSettingsBytes, 'a') + "\"}",
        std::string(100000, '[')};
    TempFolder temp;
    const std::string path = temp.Path() + "/settings.json";
    auto bad = [&path](std::size_t n) { return path + ".bad" + (n ? "." + std::to_string(n) : ""); };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        WriteWhole(path, cases[i]);
        std::string log;
        const SettingsDocument doc = LoadSettings(path, log);
        EXPECT_EQ(doc.values, RememberedSettings{});
        EXPECT_NE(log.find("kept as " + path + ".bad"), std::string::npos) << log;
        RememberedSettings now;
        now.opacity = 40;
        EXPECT_EQ(SaveSettings(path, doc.values, now), "");
        EXPECT_EQ(Load(path).opacity, 40);
        for (std::size_t n = 0; n <= i && n < kBadFilesKept; ++n)
            EXPECT_EQ(ReadWhole(bad(n)), cases[i - n]) << i << " " << n;
    }
    EXPECT_FALSE(std::filesystem::exists(bad(kBadFilesKept)));
    // A folder where the file goes is set aside too; one that appears later
    // is left alone.
    ASSERT_TRUE(std::filesystem::remove(path) && mkdir(path.c_str(), 0700) == 0);
    std::string log;
    LoadSettings(path, log);
    EXPECT_NE(log.find("not a regular file"), std::string::npos) << log;
    EXPECT_TRUE(std::filesystem::is_directory(bad(0)));
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    EXPECT_NE(SaveSettings(path, RememberedSettings{}, RememberedSettings{}), "");
    EXPECT_TRUE(std::filesystem::is_empty(path));
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
        SaveSettings(path, RememberedSettings{}, now, [] { _exit(3); });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(ReadWhole(path), kGood);
}
