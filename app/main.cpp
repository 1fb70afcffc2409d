#include "app/FeedLog.h"
#include "app/WinMain.h"
#include "support/Log.h"
#include "support/MemCache.h"
#include "ui/PaintManager.h"

// The program's log and memory cache: built before main runs and destroyed at
// exit. The log takes a line whenever the feed's state changes; nothing feeds
// the cache, so it starts no thread and costs nothing.
static CLog g_log;
static CMemCache g_memCache;

// What the Windows start-up code does before and after wWinMain; the worker
// thread may still be running, so the library stops taking its messages
// before the process ends.
int main()
{
    if (StartProgramLog(g_log) == 0)
        SetProgramLog(&g_log);
    int result = wWinMain(GetModuleHandleW(nullptr));
    SetProgramLog(nullptr);
    DuiLib::CPaintManagerUI::Term();
    return result;
}
