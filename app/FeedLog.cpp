#include "app/FeedLog.h"

#include <ctime>

#include "support/Log.h"
#include "support/XdgPaths.h"

namespace {

CLog* g_programLog = nullptr;

} // namespace

int StartProgramLog(CLog& log)
{
    const std::string folder = XdgStateDir();
    if (MakeDirs(folder, 0700) != 0)
        return -1;
    if (log.SetFile(folder + "/orvel-helper", kLogFileBytes, kLogFiles) != 0)
        return -1;
    return log.Start();
}

void SetProgramLog(CLog* log)
{
    g_programLog = log;
}

void WriteLogLine(const std::string& text)
{
    if (!g_programLog)
        return;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S ", &local);
    g_programLog->Append(stamp + text + "\n");
}
