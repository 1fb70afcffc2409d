#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ServiceConfig.h"

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
