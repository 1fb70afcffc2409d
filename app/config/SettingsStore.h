#pragma once

#include <functional>
#include <string>

#include "app/config/Settings.h"

// The settings file on disk: $XDG_CONFIG_HOME/orvel-helper/settings.json.
// Two copies of the program may run at once (two rooms): each takes an
// exclusive lock on "<path>.lock" while it reads or writes the file.

// The file's path.
std::string SettingsPath();

// Unusable files set aside: "<path>.bad" (the latest), then ".bad.1" and on.
constexpr int kBadFilesKept = 5;

// A missing file gives the defaults. A file that cannot be read or is not a
// JSON object gives the defaults too; it is renamed to "<path>.bad" (the
// earlier ones move on a number; the oldest of kBadFilesKept goes) so that
// nothing new is written over it, and `logLine` says so.
SettingsDocument LoadSettings(const std::string& path, std::string& logLine);

// Writes into the file as it is on disk now only what differs between `was`
// and `now`, so that another copy's changes since stay; the file 0600, its
// folder 0700, written whole and renamed into place. A file on disk that
// cannot be used is not written over. Returns "" or why it failed.
// `beforeRename` as for WriteFileAtomically.
std::string SaveSettings(const std::string& path, const RememberedSettings& was, const RememberedSettings& now,
    const std::function<void()>& beforeRename = nullptr);
