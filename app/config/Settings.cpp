#include "app/config/Settings.h"

#include <algorithm>
#include <limits>

#include "app/config/BlockListText.h"
#include "app/config/ConfigValues.h"
#include "feed/JsonParse.h"
#include "overlay/OverlayToken.h"

namespace {

const char kRoom[] = "room";
const char kOpacity[] = "opacity";
// The settings slider's lowest value: an edited file cannot make the window
// invisible either.
constexpr int kMinOpacity = 30;
const char kFontSize[] = "font_size";
const char kDanmu[] = "danmaku_window";
const char* const kRectKeys[] = {"x", "y", "width", "height"};
const char kBlockedNicks[] = "blocked_nicknames";
const char kBlockedWords[] = "blocked_words";
const char kFadeSeconds[] = "fade_seconds";
const char kOverlayEnabled[] = "overlay_enabled";
const char kOverlayPort[] = "overlay_port";
const char kOverlayBind[] = "overlay_bind";
const char kOverlayToken[] = "overlay_token";

// The options that are a plain yes or no, with their keys.
struct FlagSetting {
    const char* key;
    bool DanmuOptions::*member;
};
const FlagSetting kFlags[] = {
    {"background_only_opacity", &DanmuOptions::backgroundOnly},
    {"wrap_long_messages", &DanmuOptions::wrap},
    {"hide_notices", &DanmuOptions::hideNotices},
    {"hide_gifts", &DanmuOptions::hideGifts},
    {"pass_through_notice_shown", &DanmuOptions::passThroughNoticeShown},
    {"chat_log", &DanmuOptions::chatLog},
    {"gift_sound", &DanmuOptions::giftSound},
};
// The options that are a whole number in a range.
struct IntSetting {
    const char* key;
    int DanmuOptions::*member;
    int min, max;
};
const IntSetting kInts[] = {
    {"speech_rate", &DanmuOptions::speechRate, kMinSpeechRate, kMaxSpeechRate},
    {"speech_volume", &DanmuOptions::speechVolume, 0, kMaxSpeechVolume},
};
const char kReadAloud[] = "read_aloud";
// Indexed by ReadAloud.
const char* const kReadAloudNames[] = {"off", "all", "gifts", "highlighted"};
// The word lists, all cleaned as the block lists are.
const std::pair<const char*, std::vector<std::string> DanmuOptions::*> kWordLists[] = {
    {kBlockedNicks, &DanmuOptions::blockedNicks},
    {kBlockedWords, &DanmuOptions::blockedWords},
    {"highlight_words", &DanmuOptions::highlightWords},
};
// The global shortcuts, in Qt's key-sequence text; checked when registered.
const std::pair<const char*, std::string DanmuOptions::*> kShortcuts[] = {
    {"pass_through_shortcut", &DanmuOptions::passThroughKey},
    {"show_hide_shortcut", &DanmuOptions::showHideKey},
    {"clear_shortcut", &DanmuOptions::clearKey},
};

// A value as a message shows it: a string quoted and escaped, anything else
// as compact JSON, both cut short; a secret only by its first characters.
std::string ShownJson(const Json::Value& value, bool secret)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    const std::string text = value.isString() ? value.asString() : Json::writeString(builder, value);
    if (secret)
        return ShownSecret(text);
    if (value.isString())
        return ShownValue(text);
    return text.size() > kMaxShownValue ? text.substr(0, kMaxShownValue) + "..." : text;
}

// The document being read and what it gives. Members are looked up on a
// const value: a lookup must never add a missing member.
struct Reading {
    const Json::Value& root;
    SettingsDocument doc;
    const Json::Value& operator[](const char* key) const { return MemberOf(root, key); }
};

// `"key": value problem; this run uses fallback.`
void AddProblem(Reading& r, const char* key, const std::string& problem, const std::string& fallback,
    bool secret = false)
{
    r.doc.problems.push_back(std::string("\"") + key + "\": " + ShownJson(r[key], secret) + " " + problem
        + "; this run uses " + fallback + ".");
}

std::optional<int> IntIn(const Json::Value& value, int min, int max)
{
    const std::optional<std::int32_t> number = AsInt32(value);
    if (number && *number >= min && *number <= max)
        return *number;
    return std::nullopt;
}

std::optional<WindowRect> RectOf(const Json::Value& value)
{
    const int min[] = {-kMaxWindowCoordinate, -kMaxWindowCoordinate, kMinDanmuWidth, kMinDanmuHeight};
    const int max[] = {kMaxWindowCoordinate, kMaxWindowCoordinate, kMaxWindowSide, kMaxWindowSide};
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        const std::optional<int> n = IntIn(MemberOf(value, kRectKeys[i]), min[i], max[i]);
        if (!n)
            return std::nullopt;
        numbers[i] = *n;
    }
    return WindowRect{numbers[0], numbers[1], numbers[2], numbers[3]};
}

void ReadRemembered(Reading& doc)
{
    const Reading& root = doc;
    RememberedSettings& values = doc.doc.values;
    if (!root[kRoom].isNull() && !(values.room = IntIn(root[kRoom], 0, std::numeric_limits<std::int32_t>::max())))
        AddProblem(doc, kRoom, "is not a room number from 0 to 2147483647", "an empty room field");
    if (const std::optional<int> opacity = IntIn(root[kOpacity], kMinOpacity, 255))
        values.opacity = *opacity;
    else if (!root[kOpacity].isNull())
        AddProblem(doc, kOpacity, "is not a whole number from 30 to 255", "150");
    const std::optional<int> size = IntIn(root[kFontSize], 11, 14);
    if (size && *size != 13)
        values.fontSize = *size;
    else if (!root[kFontSize].isNull())
        AddProblem(doc, kFontSize, "is not 11, 12 or 14", "11");
    if (!root[kDanmu].isNull() && !(values.danmu = RectOf(root[kDanmu])))
        AddProblem(doc, kDanmu, "is not {x, y, width, height} with width 200 or more and height 120 or more",
            "the default size, centred");
}

// A block list: an array of texts, each at most kMaxBlockEntryBytes, at
// most kMaxBlockEntries of them; cleaned as its field in the settings window
// cleans it (no blank or empty entries, a control character ends one).
std::optional<std::vector<std::string>> BlockListOf(const Json::Value& value)
{
    if (!value.isArray() || value.size() > kMaxBlockEntries)
        return std::nullopt;
    std::vector<std::string> list;
    for (const Json::Value& entry : value) {
        if (!entry.isString() || entry.asString().size() > kMaxBlockEntryBytes)
            return std::nullopt;
        list.push_back(entry.asString());
        // A NUL ends an entry as any control character does, not the text.
        std::replace(list.back().begin(), list.back().end(), '\0', '\n');
    }
    return BlockListOfText(BlockListText(list));
}

void ReadFadeSeconds(Reading& doc)
{
    const Json::Value& value = doc[kFadeSeconds];
    const std::optional<int> seconds = IntIn(value, 0, kMaxFadeSeconds);
    if (seconds && (*seconds == 0 || *seconds >= kMinFadeSeconds))
        doc.doc.values.options.fadeSeconds = *seconds;
    else if (!value.isNull())
        AddProblem(doc, kFadeSeconds, "is not 0 or a whole number from 10 to 600", "0");
}

void ReadSpeech(Reading& doc)
{
    const Reading& root = doc;
    DanmuOptions& options = doc.doc.values.options;
    for (const IntSetting& setting : kInts) {
        if (const std::optional<int> n = IntIn(root[setting.key], setting.min, setting.max))
            options.*setting.member = *n;
        else if (!root[setting.key].isNull())
            AddProblem(doc, setting.key, "is not a whole number from " + std::to_string(setting.min) + " to "
                + std::to_string(setting.max), std::to_string(options.*setting.member));
    }
    const Json::Value& mode = root[kReadAloud];
    const auto* name = std::find(std::begin(kReadAloudNames), std::end(kReadAloudNames), mode.isString() ? mode.asString() : "");
    if (name != std::end(kReadAloudNames))
        options.readAloud = static_cast<ReadAloud>(name - std::begin(kReadAloudNames));
    else if (!mode.isNull())
        AddProblem(doc, kReadAloud, "is not \"off\", \"all\", \"gifts\" or \"highlighted\"", "\"off\"");
}

void ReadOptions(Reading& doc)
{
    const Reading& root = doc;
    DanmuOptions& options = doc.doc.values.options;
    for (const FlagSetting& flag : kFlags) {
        if (root[flag.key].isBool())
            options.*flag.member = root[flag.key].asBool();
        else if (!root[flag.key].isNull())
            AddProblem(doc, flag.key, "is not true or false", options.*flag.member ? "true" : "false");
    }
    ReadSpeech(doc);
    for (const auto& [key, member] : kWordLists) {
        if (root[key].isNull())
            continue;
        if (std::optional<std::vector<std::string>> list = BlockListOf(root[key]))
            options.*member = std::move(*list);
        else
            AddProblem(doc, key, "is not a list of at most 500 texts of at most 200 bytes", "an empty list");
    }
    for (const auto& [key, member] : kShortcuts) {
        const Json::Value& value = root[key];
        if (value.isString() && !value.asString().empty() && value.asString().size() <= kMaxShownValue)
            options.*member = value.asString();
        else if (!value.isNull())
            AddProblem(doc, key, "is not a key sequence such as \"Ctrl+Alt+P\"", options.*member);
    }
    ReadFadeSeconds(doc);
}

void WriteOptions(Json::Value& root, const DanmuOptions& was, const DanmuOptions& now)
{
    for (const FlagSetting& flag : kFlags) {
        if (now.*flag.member != was.*flag.member)
            root[flag.key] = now.*flag.member;
    }
    for (const auto& [key, member] : kWordLists) {
        if (now.*member == was.*member)
            continue;
        root[key] = Json::Value(Json::arrayValue);
        for (const std::string& entry : now.*member)
            root[key].append(entry);
    }
    for (const auto& [key, member] : kShortcuts) {
        if (now.*member != was.*member)
            root[key] = now.*member;
    }
    if (now.fadeSeconds != was.fadeSeconds)
        root[kFadeSeconds] = now.fadeSeconds;
    for (const IntSetting& setting : kInts) {
        if (now.*setting.member != was.*setting.member)
            root[setting.key] = now.*setting.member;
    }
    if (now.readAloud != was.readAloud)
        root[kReadAloud] = kReadAloudNames[static_cast<int>(now.readAloud)];
}

// A missing or bad token stays empty: the run makes one and saves it.
void ReadOverlay(Reading& doc)
{
    const Reading& root = doc;
    OverlayOptions& overlay = doc.doc.values.overlay;
    if (root[kOverlayEnabled].isBool())
        overlay.enabled = root[kOverlayEnabled].asBool();
    else if (!root[kOverlayEnabled].isNull())
        AddProblem(doc, kOverlayEnabled, "is not true or false", "false");
    if (const std::optional<int> port = IntIn(root[kOverlayPort], 1, 65535))
        overlay.port = *port;
    else if (!root[kOverlayPort].isNull())
        AddProblem(doc, kOverlayPort, "is not a port from 1 to 65535", std::to_string(kDefaultOverlayPort));
    const Json::Value& bind = root[kOverlayBind];
    if (bind.isString() && !bind.asString().empty() && bind.asString().size() <= kMaxOverlayBindBytes)
        overlay.bind = bind.asString();
    else if (!bind.isNull())
        AddProblem(doc, kOverlayBind, "is not an IPv4 address such as \"127.0.0.1\"", overlay.bind);
    const Json::Value& token = root[kOverlayToken];
    if (token.isString() && IsOverlayToken(token.asString()))
        overlay.token = token.asString();
    else if (!token.isNull())
        AddProblem(doc, kOverlayToken, "is not 32 lower-case hex digits", "a new one, saved now", true);
}

void WriteOverlay(Json::Value& root, const OverlayOptions& was, const OverlayOptions& now)
{
    if (now.enabled != was.enabled)
        root[kOverlayEnabled] = now.enabled;
    if (now.port != was.port)
        root[kOverlayPort] = now.port;
    if (now.bind != was.bind)
        root[kOverlayBind] = now.bind;
    if (now.token != was.token && !now.token.empty())
        root[kOverlayToken] = now.token;
}

void ReadServices(Reading& doc)
{
    for (const ServiceSetting& setting : kServiceSettings) {
        const Json::Value& value = doc[setting.fileKey];
        if (value.isNull())
            continue;
        const std::string problem = value.isString() ? setting.check(value.asString()) : "is not a text";
        if (problem.empty())
            doc.doc.services.*setting.member = value.asString();
        else
            AddProblem(doc, setting.fileKey, problem, "the flag, the variable or the built-in value", setting.secret);
    }
}

Json::Value RectValue(const WindowRect& rect)
{
    Json::Value value(Json::objectValue);
    const int numbers[] = {rect.x, rect.y, rect.width, rect.height};
    for (int i = 0; i < 4; ++i)
        value[kRectKeys[i]] = numbers[i];
    return value;
}

} // namespace

bool operator==(const WindowRect& a, const WindowRect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool operator==(const RememberedSettings& a, const RememberedSettings& b)
{
    return a.room == b.room && a.opacity == b.opacity && a.fontSize == b.fontSize && a.danmu == b.danmu
        && a.options == b.options && a.overlay == b.overlay;
}

bool operator==(const OverlayOptions& a, const OverlayOptions& b)
{
    return a.enabled == b.enabled && a.port == b.port && a.bind == b.bind && a.token == b.token;
}

bool operator==(const DanmuOptions& a, const DanmuOptions& b)
{
    return a.backgroundOnly == b.backgroundOnly && a.wrap == b.wrap && a.hideNotices == b.hideNotices
        && a.hideGifts == b.hideGifts && a.blockedNicks == b.blockedNicks && a.blockedWords == b.blockedWords
        && a.highlightWords == b.highlightWords && a.passThroughKey == b.passThroughKey
        && a.passThroughNoticeShown == b.passThroughNoticeShown && a.showHideKey == b.showHideKey
        && a.clearKey == b.clearKey && a.chatLog == b.chatLog && a.fadeSeconds == b.fadeSeconds
        && a.readAloud == b.readAloud && a.speechRate == b.speechRate && a.speechVolume == b.speechVolume
        && a.giftSound == b.giftSound;
}

SettingsDocument ReadSettings(const Json::Value& root)
{
    Reading reading{root, {}};
    ReadRemembered(reading);
    ReadOptions(reading);
    ReadOverlay(reading);
    ReadServices(reading);
    return reading.doc;
}

std::string WriteSettings(Json::Value root, const RememberedSettings& was, const RememberedSettings& now)
{
    if (now.room && now.room != was.room)
        root[kRoom] = *now.room;
    if (now.opacity != was.opacity)
        root[kOpacity] = now.opacity;
    if (now.fontSize != was.fontSize)
        root[kFontSize] = now.fontSize;
    if (now.danmu && !(was.danmu && *now.danmu == *was.danmu))
        root[kDanmu] = RectValue(*now.danmu);
    WriteOptions(root, was.options, now.options);
    WriteOverlay(root, was.overlay, now.overlay);
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "  ";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, root) + "\n";
}
