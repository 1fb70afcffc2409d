#pragma once

#include <optional>
#include <vector>

#include "app/config/DanmuOptions.h"
#include "app/config/Settings.h"
#include "app/windows/RowSink.h"
#include "feed/FeedPoller.h"
#include "support/Clock.h"
#include "ui/GlobalShortcut.h"

class CReadAloud;
class COverlaySink;
class CWndDanmu;

// What the windows share for one run besides the room, the opacity and the
// pass-through flag, which the start window keeps. The entry point owns it
// and hands it to the windows that need it.
struct RunState {
    FeedSettings feed = BuiltInFeedSettings(); // where the poller asks
    int fontSize = 11;                   // the rows' font size at the danmaku window's start
    std::optional<WindowRect> danmuRect; // its remembered place; none: centred
    DanmuOptions options;                // display and filter options, as remembered and changed
    OverlayOptions overlay;              // the overlay page's server, as remembered and changed
    COverlaySink* overlaySink = nullptr; // serves it; owned by the entry point
    CWndDanmu* danmu = nullptr;          // once a room is open
    // The global shortcuts' registrations, made with the danmaku window.
    DuiLib::ShortcutResult passThroughKey = DuiLib::ShortcutResult::NotSupported;
    DuiLib::ShortcutResult showHideKey = DuiLib::ShortcutResult::NotSupported;
    DuiLib::ShortcutResult clearKey = DuiLib::ShortcutResult::NotSupported;
    // Who hears of new rows besides the window; owned by the entry point.
    std::vector<RowSink*> rowSinks;
    TimeSource rowClock = SteadySeconds; // when rows arrive, for their fading
    // The rows read aloud, when the run has them; the settings window sets them up.
    CReadAloud* readAloud = nullptr;
};
