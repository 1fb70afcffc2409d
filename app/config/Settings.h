#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <json/json.h>

#include "app/config/DanmuOptions.h"
#include "app/config/OverlayOptions.h"
#include "app/config/StartOptions.h"

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
    OverlayOptions overlay;
};
bool operator==(const RememberedSettings& a, const RememberedSettings& b);

// Largest settings file read, from the bounds of what the program stores:
// the three word lists (two blocked, one highlighted) full, each byte of
// each entry escaped, with room to spare for the other values and the
// user's own keys.
constexpr std::size_t kMaxSettingsBytes = 3 * kMaxBlockEntries * (2 * kMaxBlockEntryBytes + 16) + 64 * 1024;

// The settings file as read: the values, the service settings it names, and
// one line for each value it holds that cannot be used.
struct SettingsDocument {
    RememberedSettings values;
    ServiceValues services;
    std::vector<std::string> problems;
};

// Reads the values of a parsed settings object; a bad value leaves the
// default and adds a line to `problems`. Block lists are cleaned as the
// settings window cleans its fields.
SettingsDocument ReadSettings(const Json::Value& root);

// `onDisk` with each value that differs between `was` and `now` set to the
// one in `now`; every other member stays exactly as it is. UTF-8 is written
// as it is, so that the text stays within kMaxSettingsBytes.
std::string WriteSettings(Json::Value onDisk, const RememberedSettings& was, const RememberedSettings& now);
