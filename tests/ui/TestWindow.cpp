#include "tests/ui/TestWindow.h"

#include <algorithm>

#include "tests/common/TestSkin.h"
#include "ui/qt/AppCore.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

void UseTestLayouts()
{
    UseSkin(UI_TEST_DIR "/skin", u"layouts.zip");
}

HWND TestWindow::Open(DWORD style, HWND parent)
{
    return Create(parent, u"test", style, 0, 0, 0, 320, 200);
}

int TestWindow::Count(UINT msg) const
{
    return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                          [msg](const Received& r) { return r.msg == msg; }));
}

LRESULT TestWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    messages.push_back({msg, wParam, lParam});
    if (msg == WM_CREATE) {
        pm.Init(GetHWND());
        pm.AttachDialog(CDialogBuilder().Create(m_layout, &pm));
        pm.AddNotifier(this);
        return 0;
    }
    if (onMessage)
        onMessage(msg, wParam);
    if (handles && handles(msg, wParam))
        return 0;
    return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

void WindowTest::SetUp()
{
    // A quit honoured by an earlier test (its last window closed) is over.
    simulate::ProcessPending();
    core::ResetQuit();
    UseTestLayouts();
    ASSERT_NE(w.Open(), nullptr);
}

bool WindowTest::RunLoop()
{
    Watchdog dog;
    CPaintManagerUI::MessageLoop();
    return !dog.Fired();
}
