#include "app/WinMain.h"

#include <cstdio>
#include <new>

#include "app/MainFrame.h"
#include "app/RememberedRun.h"
#include "app/SettingsStore.h"
#include "app/SkinPlace.h"

using namespace DuiLib;

namespace {

// Saves what the run changed; a failure is told on standard error and loses
// only this run's changes.
void SaveRun(const CMainFrame& frame, const RunState& state, const ProgramStart& start)
{
    const RememberedSettings now = CurrentRemembered(frame, state, start.settings.values);
    if (start.settingsPath.empty() || now == start.settings.values)
        return;
    const std::string problem = SaveSettings(start.settingsPath, start.settings, now);
    if (!problem.empty())
        std::fprintf(stderr, "OrvelHelper: settings not saved to %s: %s\n", start.settingsPath.c_str(),
            problem.c_str());
}

} // namespace

int wWinMain(HINSTANCE instance, const ProgramStart& start)
{
    CPaintManagerUI::SetInstance(instance);
    CDuiString skin = CPaintManagerUI::GetInstancePath();
    skin += SkinFolderFor(skin.Str()).c_str(); // the path ends in a separator already
    CPaintManagerUI::SetResourcePath(skin);
    CPaintManagerUI::SetResourceZip(u"skin.zip", true);
    if (CoInitialize(nullptr) < 0)
        return 0;
    // Kept to the end of the process, like the windows that share it.
    auto* state = new (std::nothrow) RunState;
    CMainFrame* frame = state ? new (std::nothrow) CMainFrame(*state) : nullptr;
    if (!frame)
        return 0;
    state->feed = start.feed;
    frame->CreateOver(nullptr);
    ApplyRemembered(*frame, *state, start.settings);
    if (start.room) {
        frame->OpenRoom(*start.room); // the start window is closed unseen
    } else {
        frame->CenterWindow();
        frame->ShowWindow(true, true);
    }
    CPaintManagerUI::MessageLoop();
    SaveRun(*frame, *state, start);
    CoUninitialize();
    return 0;
}

int wWinMain(HINSTANCE instance)
{
    return wWinMain(instance, ProgramStart{});
}
