#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <json/json.h>

#include "app/DanmuOptions.h"
#include "app/StartOptions.h"

// The danmaku window's place on the desktop.
struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
bool operator==(const WindowRect& a, const WindowRect& b);

// Bounds of a remembered danmaku window.
constexpr int kMinDanmuWidth = 200;
constexpr int kMinDanmuHeight = 120;
constexpr int kMaxWindowSide = 16384;
constexpr int kMaxWindowCoordinate = 100000;

// What the program remembers from one run to the next. Mouse pass-through is
// not among it: a window that ignores clicks, started where no tray shows
// its menu, could not be turned back.
struct RememberedSettings {
    std::optional<std::int32_t> room; // the last room entered
    int opacity = 150;
    int fontSize = 11;
    std::optional<WindowRect> danmu; // none: centred at its default size
    DanmuOptions options;
};
bool operator==(const RememberedSettings& a, const RememberedSettings& b);

// The settings file as read: the values, the service settings it names, one
// line for each value it holds that cannot be used, and the document itself
// (kept so that saving changes only what the run changed).
struct SettingsDocument {
    RememberedSettings values;
    ServiceValues services;
    std::vector<std::string> problems;
    Json::Value root{Json::objectValue};
    bool mayWrite = true; // false when a bad file could not be set aside
};

// Reads the values of a parsed settings object; a bad value leaves the
// default and adds a line to `problems`.
SettingsDocument ReadSettings(const Json::Value& root);

// The document with every value that differs from what was read replaced by
// `now`; keys the run did not change stay exactly as they were.
std::string WriteSettings(const SettingsDocument& read, const RememberedSettings& now);
