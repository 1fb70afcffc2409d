#include "app/WinMain.h"

#include <algorithm>
#include <new>

#include "app/ChatLog.h"
#include "app/FeedLog.h"

#include "app/windows/MainFrame.h"
#include "app/config/RememberedRun.h"
#include "app/OverlaySink.h"
#include "app/SkinPlace.h"
#include "app/speech/SpeechRun.h"
#include "feed/ToWide.h"
#include "overlay/OverlayPlace.h"
#include "ui/RunGuard.h"

using namespace DuiLib;

namespace {

// How often the run's settings are looked at and, when changed, saved.
constexpr unsigned kSaveEveryMs = 2000;

} // namespace

int wWinMain(HINSTANCE instance, const ProgramStart& start)
{
    CPaintManagerUI::SetInstance(instance);
    const std::u16string programDir = CPaintManagerUI::GetInstancePath().Str();
    CDuiString skin = (programDir + SkinFolderFor(programDir)).c_str(); // the path ends in a separator already
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
    // After the remembered options: reading aloud starts as they say.
    CSpeechRun speech(*state, programDir + DataFolderFor(programDir) + u"gift.wav");
    // From here on the frame and the state hold the run's settings: they are looked at,
    // and an ending signal is caught, before any window shows.
    CRunSaver saver(*frame, *state, start.settingsPath, start.settings.values);
    CChatLog chatLog(state->options.chatLog, ChatLogFolder(), SystemTime, WriteLogLine);
    state->rowSinks.push_back(&chatLog);
    if (EnsureOverlayToken(state->overlay))
        saver.SaveIfChanged(); // a token made now is kept before any page can use it
    const CRunGuard guard(kSaveEveryMs, [&saver] { saver.SaveIfChanged(); });
    COverlaySink overlay(*state, OverlayPageFolderFor(ToUtf8(programDir)));
    overlay.Apply();
    if (start.room) {
        frame->OpenRoom(*start.room); // the start window is closed unseen
    } else {
        frame->CenterWindow();
        frame->ShowWindow(true, true);
    }
    CPaintManagerUI::MessageLoop();
    // The windows outlive this function; the chat log does not.
    state->rowSinks.erase(std::remove(state->rowSinks.begin(), state->rowSinks.end(), &chatLog), state->rowSinks.end());
    saver.SaveIfChanged();
    CoUninitialize();
    return 0;
}

int wWinMain(HINSTANCE instance)
{
    return wWinMain(instance, ProgramStart{});
}
