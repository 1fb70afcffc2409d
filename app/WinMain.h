#pragma once

#include <optional>

#include "app/config/Settings.h"
#include "feed/FeedPoller.h"
#include "ui/Win32.h"

// What the command line, the environment and the settings file decided
// before any window opens.
struct ProgramStart {
    FeedSettings feed = BuiltInFeedSettings();
    std::optional<int> room; // open this room at once, without the start window
    SettingsDocument settings; // as read from the settings file
    std::string settingsPath;  // where to save them; none: not saved
};

// The program: the start window (or the room's danmaku window straight
// away), then the message loop. Returns 0.
int wWinMain(HINSTANCE instance, const ProgramStart& start);
int wWinMain(HINSTANCE instance);
