#pragma once

#include <functional>
#include <string>

#include "app/Settings.h"

// The settings file on disk: $XDG_CONFIG_HOME/orvel-helper/settings.json.

// The file's path.
std::string SettingsPath();

// A missing file gives the defaults. A file that cannot be read or is not a
// JSON object gives the defaults too; it is renamed to "<path>.bad" (so that
// nothing new is written over it) and `logLine` says so.
SettingsDocument LoadSettings(const std::string& path, std::string& logLine);

// Writes the document with the run's values (see WriteSettings) whole and
// renames it into place; the file 0600, its folder 0700. Returns "" or why
// it failed. `beforeRename` as for WriteFileAtomically.
std::string SaveSettings(const std::string& path, const SettingsDocument& read, const RememberedSettings& now,
    const std::function<void()>& beforeRename = nullptr);
