#pragma once

#include "app/windows/RoomPrompt.h"

class CWndDanmu;

// The start window again, as a modal dialog over the danmaku window, with
// the current room filled in: another room is polled in the same window;
// the same room, or the close button, just goes back.
class CRoomSwitch : public CRoomPrompt {
public:
    explicit CRoomSwitch(CWndDanmu& danmu) : m_danmu(danmu) {}

protected:
    void InitControls() override;
    void RoomEntered(int roomId) override;
    void Dismissed() override { Close(0); }

private:
    CWndDanmu& m_danmu;
};
