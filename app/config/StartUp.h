#pragma once

#include <string>
#include <vector>

#include "app/config/StartOptions.h"
#include "app/WinMain.h"

// What to do before any window opens: run with `start`, or print and exit.
struct StartDecision {
    bool run = false;
    int exitCode = 0;   // when not running: 0 for --help and --version, 2 for bad input
    std::string output; // for standard output
    std::string error;  // one line for standard error
    ProgramStart start;
    ServiceValues flags;       // the services as the command line names them
    ServiceValues environment; // and as the environment does
};

// Reads the arguments after the program's name and the environment.
StartDecision DecideStart(const std::vector<std::string>& args, const EnvLookup& env);

// Takes the settings file, read from `path`: its values, and the services it
// names where neither a flag nor a variable does.
void TakeSettingsFile(StartDecision& decision, SettingsDocument file, const std::string& path);

// The program's name and version, as --version prints it.
std::string VersionText();
