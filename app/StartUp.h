#pragma once

#include <string>
#include <vector>

#include "app/ServiceConfig.h"
#include "app/WinMain.h"

// What to do before any window opens: run with `start`, or print and exit.
struct StartDecision {
    bool run = false;
    int exitCode = 0;   // when not running: 0 for --help and --version, 2 for bad input
    std::string output; // for standard output
    std::string error;  // one line for standard error
    ProgramStart start;
};

// Reads the arguments after the program's name and the environment.
StartDecision DecideStart(const std::vector<std::string>& args, const EnvLookup& env);

// The program's name and version, as --version prints it.
std::string VersionText();
