#pragma once

#include "app/windows/AppWindow.h"
#include "app/windows/DanmuView.h"
#include "app/RunState.h"

// The modal settings window, on three pages chosen by a row of buttons:
// the danmaku window's opacity (slider), its rows' font size (three
// options), its display and filter options (check boxes) and block lists
// (one entry a line), applied at once; a block list when its field loses the
// focus or the window closes; the chat log and the rows' fade time. Then
// what is read aloud, how fast and how loud, the gift sound, the speech
// engine's state, the highlight words and the shortcuts' state; then the
// overlay.
class CWndSetting : public CAppWindow {
public:
    CWndSetting(DanmuView& danmu, RunState& state);
    ~CWndSetting() override;
    // Brings the open settings window forward; false when none is open.
    static bool BringOpenForward();

    DuiLib::CControlUI* m_textTrans = nullptr;

    void Notify(DuiLib::TNotifyUI& msg) override;

protected:
    void InitControls() override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void ClickNotify(DuiLib::TNotifyUI& msg) override;
    void SelectChangedNotify(DuiLib::TNotifyUI& msg) override;

private:
    void ShowOpacity(int opacity);
    void ShowOptions();
    void ShowSpeech();
    void ShowSpeechStatus();
    bool SpeechSliderMoved(DuiLib::CControlUI* sender);
    bool ReadAloudChosen(DuiLib::CControlUI* sender);
    WindowRect PlaceBesideDanmu() const;
    bool CheckBoxChanged(DuiLib::CControlUI* sender);
    void TakeBlockLists();
    void ShowFade();
    bool FadeMoved(DuiLib::CControlUI* sender);

    DanmuView& m_danmu;
    RunState& m_state;
};
