#pragma once

#include <optional>
#include <string>

#include "app/windows/MainFrame.h"
#include "app/RunState.h"
#include "app/config/Settings.h"

// The remembered settings and the program's shared state.

// Before any window shows: the opacity, the font size, the danmaku window's
// place and the last room (into the start window's field). Bad values in
// the file are told in one message box; the run goes on with defaults.
void ApplyRemembered(CMainFrame& frame, RunState& state, const SettingsDocument& read);

// What this run leaves to remember; what it never touched stays as read.
RememberedSettings CurrentRemembered(
    const CMainFrame& frame, const RunState& state, const RememberedSettings& read);

// Saves what the run leaves to remember whenever it differs from what was
// last saved: only the values changed since go into the file, so that
// another copy's changes stay. A failure is told on standard error once,
// and tried again when something changes.
class CRunSaver {
public:
    CRunSaver(const CMainFrame& frame, const RunState& state, const std::string& path,
        const RememberedSettings& read);
    void SaveIfChanged();

private:
    const CMainFrame& m_frame;
    const RunState& m_state;
    std::string m_path; // none: nothing is saved
    RememberedSettings m_saved;
    std::optional<RememberedSettings> m_failed;
};
