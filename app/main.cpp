#include "app/WinMain.h"
#include "ui/PaintManager.h"

// What the Windows start-up code does before and after wWinMain; the worker
// thread may still be running, so the library stops taking its messages
// before the process ends.
int main()
{
    int result = wWinMain(GetModuleHandleW(nullptr));
    DuiLib::CPaintManagerUI::Term();
    return result;
}
