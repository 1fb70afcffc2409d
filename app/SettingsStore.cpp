#include "app/SettingsStore.h"

#include <cstdio>

#include "app/TextFile.h"
#include "feed/JsonParse.h"
#include "support/XdgPaths.h"

std::string SettingsPath()
{
    return XdgConfigDir() + "/settings.json";
}

SettingsDocument LoadSettings(const std::string& path, std::string& logLine)
{
    std::string text;
    std::string reason;
    const ReadResult read = ReadSmallFile(path, text, reason);
    if (read == ReadResult::Missing)
        return SettingsDocument{};
    Json::Value root;
    if (read == ReadResult::Ok) {
        if (ParseJson(text, root) && root.isObject())
            return ReadSettings(root);
        reason = "not a JSON object";
    }
    const std::string bad = path + ".bad";
    const bool kept = std::rename(path.c_str(), bad.c_str()) == 0;
    logLine = "settings: " + path + " cannot be used (" + reason + "); "
        + (kept ? "kept as " + bad : std::string("it could not be set aside and is left alone"))
        + "; the defaults are used";
    SettingsDocument defaults;
    defaults.mayWrite = kept;
    return defaults;
}

std::string SaveSettings(const std::string& path, const SettingsDocument& read, const RememberedSettings& now,
    const std::function<void()>& beforeRename)
{
    if (!read.mayWrite)
        return "the unusable file could not be set aside, so it is not overwritten";
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && MakeDirs(path.substr(0, slash), 0700) != 0)
        return "cannot make the folder of " + path;
    return WriteFileAtomically(path, WriteSettings(read, now), beforeRename);
}
