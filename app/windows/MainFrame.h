#pragma once

#include "app/windows/RoomPrompt.h"
#include "app/RunState.h"

// The start window: asks for the room number and opens the danmaku window.
// The object lives for the whole run and keeps the room, the opacity and the
// pass-through flag; the rest the windows share is in the run's state.
class CMainFrame : public CRoomPrompt {
public:
    explicit CMainFrame(RunState& state);

    int m_roomId;
    int m_opacity;
    bool m_transFlag;

    // Opens the danmaku window for the room and closes the start window.
    void OpenRoom(int roomId);

protected:
    void RoomEntered(int roomId) override { OpenRoom(roomId); }
    void Dismissed() override;

private:
    RunState& m_state;
};

// The one start window, set by its constructor.
extern CMainFrame* g_pMainFrame;
