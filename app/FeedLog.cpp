#include "app/FeedLog.h"

#include <ctime>

#include "support/Log.h"
#include "support/XdgPaths.h"

namespace {

CLog* g_programLog = nullptr;
bool g_writerStarted = false; // user-interface thread only, as every line is

} // namespace

int OpenProgramLog(CLog& log)
{
    const std::string folder = XdgStateDir();
    if (MakeDirs(folder, 0700) != 0)
        return -1;
    return log.SetFile(folder + "/orvel-helper", kLogFileBytes, kLogFiles);
}

void SetProgramLog(CLog* log)
{
    g_programLog = log;
    g_writerStarted = false;
}

void WriteLogLine(const std::string& text)
{
    if (!g_programLog)
        return;
    if (!g_writerStarted) {
        if (g_programLog->Start() != 0) {
            g_programLog = nullptr;
            return;
        }
        g_writerStarted = true;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S ", &local);
    g_programLog->Append(stamp + text + "\n");
}
