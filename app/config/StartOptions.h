#pragma once

// The options the program is started with: the command line's flags and the
// environment's variables, and the services they (or the settings file) name.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "feed/FeedPoller.h"

// The two service hosts and the access key as one source gives them; a value
// that source does not set is absent.
struct ServiceValues {
    std::optional<std::string> liveHost;
    std::optional<std::string> dmsHost;
    std::optional<std::string> dmsKey;
};

// One of the three: its names on the command line, in the environment and in
// the settings file, where it is kept, its check, and whether the settings
// file's message may show it only in part.
struct ServiceSetting {
    const char* flag;
    const char* variable;
    const char* fileKey;
    std::optional<std::string> ServiceValues::*member;
    std::string (*check)(const std::string& value);
    bool secret;
};
extern const ServiceSetting kServiceSettings[3];

// Looks up an environment variable; null when it is not set.
using EnvLookup = std::function<const char*(const char* name)>;

// ORVEL_LIVE_HOST, ORVEL_DMS_HOST and ORVEL_DMS_KEY; an empty variable counts
// as unset. Returns "" or the one-line message about the first bad value.
std::string ReadEnvironment(const EnvLookup& lookup, ServiceValues& values);

// Each value from the first source that sets it: the command line, then the
// environment, then the settings file, then `defaults`.
FeedSettings ResolveServices(const ServiceValues& flags, const ServiceValues& environment,
    const ServiceValues& file, FeedSettings defaults);

// "<where>: <value> <problem>", the value quoted safely.
std::string BadValueMessage(const std::string& where, const std::string& value, const std::string& problem);

// What the command line asks for.
struct CommandLine {
    ServiceValues services;
    std::optional<std::int32_t> room; // --room=N: straight to the room's danmaku window
    bool help = false;
    bool version = false;
};

// Reads the arguments after the program's name; a later flag replaces an
// earlier one of the same name. Returns "" or the one-line message about the
// first bad or unknown argument.
std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& line);

// What --help prints.
std::string UsageText();
