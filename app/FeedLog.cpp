#include "app/FeedLog.h"

#include <ctime>
#include <mutex>

#include "support/Log.h"
#include "support/XdgPaths.h"

namespace {

// The chat log's writer reports from its own thread.
std::mutex g_programLogLock;
CLog* g_programLog = nullptr;  // under g_programLogLock
bool g_writerStarted = false;  // under g_programLogLock

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
    const std::lock_guard<std::mutex> hold(g_programLogLock);
    g_programLog = log;
    g_writerStarted = false;
}

void WriteLogLine(const std::string& text)
{
    const std::lock_guard<std::mutex> hold(g_programLogLock);
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
