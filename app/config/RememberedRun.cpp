#include "app/config/RememberedRun.h"

#include <cstdio>

#include "app/config/SettingsStore.h"
#include "app/windows/WndDanmu.h"
#include "feed/ToWide.h"

using namespace DuiLib;

namespace {

void TellProblems(const std::vector<std::string>& problems)
{
    if (problems.empty())
        return;
    std::string text = "Some values in the settings file cannot be used:";
    for (const std::string& line : problems)
        text += "\n" + line;
    MessageBoxW(nullptr, ToWide(text).c_str(), u"OrvelHelper", MB_OK);
}

} // namespace

void ApplyRemembered(CMainFrame& frame, RunState& state, const SettingsDocument& read)
{
    TellProblems(read.problems);
    frame.m_opacity = read.values.opacity;
    state.fontSize = read.values.fontSize;
    state.danmuRect = read.values.danmu;
    state.options = read.values.options;
    state.overlay = read.values.overlay;
    if (read.values.room && frame.m_editNum) {
        CDuiString room;
        room.Format(u"%d", *read.values.room);
        frame.m_editNum->SetText(room);
    }
}

RememberedSettings CurrentRemembered(
    const CMainFrame& frame, const RunState& state, const RememberedSettings& read)
{
    RememberedSettings now = read;
    now.opacity = frame.m_opacity;
    now.options = state.options;
    now.overlay = state.overlay;
    if (!state.danmu)
        return now; // no room was opened: nothing else changed
    now.room = frame.m_roomId;
    now.fontSize = state.danmu->GetPaintManager().GetDefaultFontSize();
    RECT rect;
    if (GetWindowRect(state.danmu->GetHWND(), &rect))
        now.danmu = WindowRect{static_cast<int>(rect.left), static_cast<int>(rect.top),
            static_cast<int>(rect.right - rect.left), static_cast<int>(rect.bottom - rect.top)};
    return now;
}

CRunSaver::CRunSaver(const CMainFrame& frame, const RunState& state, const std::string& path,
    const RememberedSettings& read)
    : m_frame(frame), m_state(state), m_path(path), m_saved(read)
{
}

void CRunSaver::SaveIfChanged()
{
    const RememberedSettings now = CurrentRemembered(m_frame, m_state, m_saved);
    if (m_path.empty() || now == m_saved || now == m_failed)
        return;
    const std::string problem = SaveSettings(m_path, m_saved, now);
    if (problem.empty()) {
        m_saved = now;
        return;
    }
    m_failed = now;
    std::fprintf(stderr, "OrvelHelper: settings not saved to %s: %s\n", m_path.c_str(), problem.c_str());
}
