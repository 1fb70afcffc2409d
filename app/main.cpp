#include "app/WinMain.h"
#include "support/Log.h"
#include "support/MemCache.h"
#include "ui/PaintManager.h"

// The program's log and memory cache: built before main runs and destroyed at
// exit. Nothing feeds them, so they start no thread and cost nothing.
static CLog g_log;
static CMemCache g_memCache;

// What the Windows start-up code does before and after wWinMain; the worker
// thread may still be running, so the library stops taking its messages
// before the process ends.
int main()
{
    int result = wWinMain(GetModuleHandleW(nullptr));
    DuiLib::CPaintManagerUI::Term();
    return result;
}
