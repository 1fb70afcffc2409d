// Renders the program's windows offscreen to PNG files:
//   orvel_snapshot <folder>
// (run with QT_QPA_PLATFORM=offscreen). For the README's pictures.

#include <cstdio>
#include <string>

#include "app/MainFrame.h"
#include "tests/app/AppTestSupport.h"
#include "ui/Simulate.h"

using namespace DuiLib;

static bool Save(HWND hwnd, const std::string& folder, const char* name)
{
    std::string path = folder + "/" + name;
    bool ok = simulate::SaveScreenshot(hwnd, CDuiString(std::u16string(path.begin(), path.end())));
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    UseProgramSkin();
    auto* frame = new CMainFrame;
    HWND start = frame->Create(nullptr, u"OrvelHelper", ORVEL_WNDSTYLE, 0, 0, 0, 396, 389, nullptr);
    frame->ShowWindow(true, true);
    simulate::ProcessPending();
    return Save(start, argv[1], "start-window.png") ? 0 : 1;
}
