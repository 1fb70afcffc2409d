#pragma once

#include "app/AppWindow.h"

class CWndDanmu;

// The modal settings window: the danmaku window's opacity (slider) and its
// rows' font size (three options), applied at once.
class CWndSetting : public CAppWindow {
public:
    explicit CWndSetting(CWndDanmu* danmu);
    ~CWndSetting() override;
    // Brings the open settings window forward; false when none is open.
    static bool BringOpenForward();

    DuiLib::CControlUI* m_textTrans = nullptr;
    CWndDanmu* m_danmu;

    void Notify(DuiLib::TNotifyUI& msg) override;

protected:
    void InitControls() override;
    void ClickNotify(DuiLib::TNotifyUI& msg) override;
    void SelectChangedNotify(DuiLib::TNotifyUI& msg) override;

private:
    void ShowOpacity();
};
