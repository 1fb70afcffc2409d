#pragma once

#include "app/RoomPrompt.h"
#include "app/Settings.h"
#include "feed/FeedPoller.h"
#include "ui/GlobalShortcut.h"

class CWndDanmu;

// The start window: asks for the room number and opens the danmaku window.
// The object lives for the whole run and carries the settings that the
// other windows share.
class CMainFrame : public CRoomPrompt {
public:
    CMainFrame();

    int m_roomId;
    int m_opacity;
    bool m_transFlag;
    FeedSettings m_feed = BuiltInFeedSettings(); // where the poller asks
    int m_fontSize = 11;                   // the rows' font size at the danmaku window's start
    std::optional<WindowRect> m_danmuRect; // its remembered place; none: centred
    DanmuOptions m_options;                // display and filter options, as remembered and changed
    CWndDanmu* m_danmu = nullptr;          // once a room is open
    // The pass-through shortcut's registration, made with the danmaku window.
    DuiLib::ShortcutResult m_passThroughKey = DuiLib::ShortcutResult::NotSupported;

    // Opens the danmaku window for the room and closes the start window.
    void OpenRoom(int roomId);

protected:
    void RoomEntered(int roomId) override { OpenRoom(roomId); }
    void Dismissed() override;
};

// The one start window, set by its constructor.
extern CMainFrame* g_pMainFrame;
