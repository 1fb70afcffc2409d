#include "tests/app/OpenDanmuTest.h"

#include "tests/app/AppTestSupport.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

void OpenDanmuTest::SetUp()
{
    UseProgramSkin();
    frame = new CMainFrame(state);
    hwnd = danmu.Open();
    ASSERT_NE(hwnd, nullptr);
    simulate::ProcessPending(); // the refresh posted during set-up
}
