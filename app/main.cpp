#include <cstdio>
#include <cstdlib>

#include <malloc.h>

#include "app/FeedLog.h"
#include "app/config/SettingsStore.h"
#include "app/config/StartUp.h"
#include "app/WinMain.h"
#include "support/Log.h"
#include "support/MemCache.h"
#include "ui/PaintManager.h"

// The program's log and memory cache: built before main runs and destroyed at
// exit. The log takes a line whenever the feed's state changes; nothing feeds
// the cache, so it starts no thread and costs nothing.
static CLog g_log;
// The main arena and one that every other thread shares: none of them
// allocates enough for contention to matter.
constexpr int kMallocArenas = 2;
static CMemCache g_memCache;

// Reads the command line and the environment; a bad value ends the program
// here, before any window. Then the settings file. Then what the Windows start-up code does around
// wWinMain: the worker thread may still be running, so the library stops
// taking its messages before the process ends.
int main(int argc, char** argv)
{
    // glibc gives each thread that allocates an arena of its own; the overlay's
    // connection threads would cost megabytes of them for a few small buffers.
    mallopt(M_ARENA_MAX, kMallocArenas);
    StartDecision decision = DecideStart(std::vector<std::string>(argv + 1, argv + argc),
        [](const char* name) { return static_cast<const char*>(std::getenv(name)); });
    std::fputs(decision.output.c_str(), stdout);
    std::fputs(decision.error.c_str(), stderr);
    if (!decision.run)
        return decision.exitCode;
    if (OpenProgramLog(g_log) == 0)
        SetProgramLog(&g_log);
    std::string logLine;
    const std::string path = SettingsPath();
    TakeSettingsFile(decision, LoadSettings(path, logLine), path);
    if (!logLine.empty()) {
        std::fprintf(stderr, "OrvelHelper: %s\n", logLine.c_str());
        WriteLogLine(logLine);
    }
    int result = wWinMain(GetModuleHandleW(nullptr), decision.start);
    SetProgramLog(nullptr);
    DuiLib::CPaintManagerUI::Term();
    return result;
}
