#include "app/windows/WndSetting.h"

#include <algorithm>

#include "app/config/BlockListText.h"
#include "app/speech/ReadAloud.h"
#include "app/windows/MainFrame.h"
#include "app/windows/AppMessages.h"
#include "app/windows/HotKeys.h"
#include "app/windows/OverlayGroup.h"
#include "app/windows/WindowPlacement.h"

using namespace DuiLib;

namespace {

// The settings window that is open, if any: there is only ever one.
CWndSetting* g_openSetting = nullptr;

// The check boxes and the options they stand for.
struct CheckBox {
    const char16_t* name;
    bool DanmuOptions::*option;
};
const CheckBox kCheckBoxes[] = {
    {u"check_background_only", &DanmuOptions::backgroundOnly},
    {u"check_wrap", &DanmuOptions::wrap},
    {u"check_hide_notices", &DanmuOptions::hideNotices},
    {u"check_hide_gifts", &DanmuOptions::hideGifts},
    {u"check_chat_log", &DanmuOptions::chatLog},
    {u"check_gift_sound", &DanmuOptions::giftSound},
};

// The read-aloud choices, in the order of ReadAloud.
const char16_t* const kReadOptions[] = {
    u"option_read_off", u"option_read_all", u"option_read_gifts", u"option_read_highlighted"};

// The speech sliders and the options they set.
struct SpeechSlider {
    const char16_t* name;
    int DanmuOptions::*option;
};
const SpeechSlider kSpeechSliders[] = {
    {u"pro_speech_rate", &DanmuOptions::speechRate},
    {u"pro_speech_volume", &DanmuOptions::speechVolume},
};

// The word-list fields (blocked and highlighted) and the lists they edit.
struct BlockField {
    const char16_t* name;
    std::vector<std::string> DanmuOptions::*list;
};
const BlockField kBlockFields[] = {
    {u"edit_blocked_nicks", &DanmuOptions::blockedNicks},
    {u"edit_blocked_words", &DanmuOptions::blockedWords},
    {u"edit_highlight_words", &DanmuOptions::highlightWords},
};

// The labels that tell each global shortcut's state.
const std::pair<const char16_t*, WPARAM> kKeyStatuses[] = {
    {u"shortcut_status", TRAY_CMD_SHOW},
    {u"shortcut_status_show_hide", KEY_CMD_SHOW_HIDE},
    {u"shortcut_status_clear", KEY_CMD_CLEAR},
};

// The page buttons and the pages they show, one at a time.
const std::pair<const char16_t*, const char16_t*> kPages[] = {
    {u"tab_danmu", u"page_danmu"},
    {u"tab_alerts", u"page_alerts"},
    {u"tab_live", u"page_live"},
};

// A page button chosen: its page shows and the others hide; false for any
// other control.
bool PageChosen(CPaintManagerUI& pm, CControlUI* sender)
{
    const CDuiString name = sender->GetName();
    auto isTab = [&name](const auto& entry) { return name == entry.first; };
    if (std::none_of(std::begin(kPages), std::end(kPages), isTab))
        return false;
    for (const auto& [tab, page] : kPages) {
        if (CControlUI* control = pm.FindControl(page))
            control->SetVisible(name == tab);
    }
    return true;
}

// The fade slider moves in steps of this many seconds; its 0 keeps rows.
constexpr int kFadeStepSeconds = 10;

} // namespace

CWndSetting::CWndSetting(DanmuView& danmu, RunState& state) : m_danmu(danmu), m_state(state)
{
    InitWinParam(u"setting.xml");
    if (!g_openSetting)
        g_openSetting = this;
}

CWndSetting::~CWndSetting()
{
    if (m_state.readAloud)
        m_state.readAloud->statusChanged = nullptr;
    if (g_openSetting == this)
        g_openSetting = nullptr;
}

bool CWndSetting::BringOpenForward()
{
    if (!g_openSetting)
        return false;
    g_openSetting->ShowWindow(true, true);
    return true;
}

void CWndSetting::InitControls()
{
    SetIcon(IDI_ORVEL);
    m_textTrans = m_pm.FindControl(u"text_trans");
    if (auto* slider = dynamic_cast<CProgressUI*>(m_pm.FindControl(u"pro_trans")))
        slider->SetValue(g_pMainFrame->m_opacity);
    ShowOpacity(g_pMainFrame->m_opacity);
    ShowOptions();
    ShowFade();
    ShowSpeech();
    for (const auto& [name, command] : kKeyStatuses) {
        if (CControlUI* status = m_pm.FindControl(name))
            status->SetText(HotKeyStatus(m_state, command));
    }
    ShowOverlayGroup(m_pm, m_state);
    // Not shown yet: ShowModal shows it, modal from its first appearance.
    const WindowRect place = PlaceBesideDanmu();
    SetWindowPos(GetHWND(), HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE);
}

// Beside the danmaku window, so that what an option changes shows at once.
WindowRect CWndSetting::PlaceBesideDanmu() const
{
    RECT own{}, danmu{};
    GetWindowRect(GetHWND(), &own);
    GetWindowRect(m_danmu.ViewWindow(), &danmu);
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    GetMonitorInfoW(MonitorFromRect(&danmu, MONITOR_DEFAULTTOPRIMARY), &info);
    auto rectOf = [](const RECT& r) {
        return WindowRect{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
            static_cast<int>(r.bottom - r.top)};
    };
    return BesideOwner(rectOf(own), rectOf(danmu), info.rcWork);
}

void CWndSetting::ShowOptions()
{
    const DanmuOptions& options = m_state.options;
    for (const CheckBox& box : kCheckBoxes) {
        if (auto* option = dynamic_cast<COptionUI*>(m_pm.FindControl(box.name)))
            option->Selected(options.*box.option, false);
    }
    for (const BlockField& field : kBlockFields) {
        if (CControlUI* edit = m_pm.FindControl(field.name))
            edit->SetText(BlockListText(options.*field.list).c_str());
    }
}

void CWndSetting::ShowSpeech()
{
    const DanmuOptions& options = m_state.options;
    if (auto* option = dynamic_cast<COptionUI*>(m_pm.FindControl(kReadOptions[static_cast<int>(options.readAloud)])))
        option->Selected(true, false);
    for (const SpeechSlider& slider : kSpeechSliders) {
        if (auto* control = dynamic_cast<CProgressUI*>(m_pm.FindControl(slider.name)))
            control->SetValue(options.*slider.option);
    }
    if (m_state.readAloud)
        m_state.readAloud->statusChanged = [this] { ShowSpeechStatus(); };
    ShowSpeechStatus();
}

void CWndSetting::ShowSpeechStatus()
{
    if (CControlUI* status = m_pm.FindControl(u"speech_status"))
        status->SetText(m_state.readAloud ? m_state.readAloud->StatusText().c_str() : u"朗读弹幕 不可用");
}

// A speech slider moved: the next text read takes it.
bool CWndSetting::SpeechSliderMoved(CControlUI* sender)
{
    auto* control = dynamic_cast<CProgressUI*>(sender);
    for (const SpeechSlider& slider : kSpeechSliders) {
        if (control && control->GetName() == slider.name) {
            m_state.options.*slider.option = control->GetValue();
            return true;
        }
    }
    return false;
}

bool CWndSetting::ReadAloudChosen(CControlUI* sender)
{
    auto* option = dynamic_cast<COptionUI*>(sender);
    for (std::size_t i = 0; option && option->IsSelected() && i < std::size(kReadOptions); ++i) {
        if (option->GetName() == kReadOptions[i]) {
            m_state.options.readAloud = static_cast<ReadAloud>(i);
            if (m_state.readAloud)
                m_state.readAloud->OptionsChanged();
            ShowSpeechStatus();
            return true;
        }
    }
    return false;
}

void CWndSetting::ShowOpacity(int opacity)
{
    if (!m_textTrans)
        return;
    CDuiString text;
    text.Format(u"%d", opacity);
    m_textTrans->SetText(text);
}

void CWndSetting::Notify(TNotifyUI& msg)
{
    WindowImplBaseNew::Notify(msg);
    if (msg.sType == u"killfocus")
        TakeBlockLists();
    if (msg.sType == u"valuechanged" && (FadeMoved(msg.pSender) || SpeechSliderMoved(msg.pSender)))
        return;
    if (msg.sType == u"return")
        TakeOverlayPort(m_pm, m_state);
    auto* slider = dynamic_cast<CProgressUI*>(msg.pSender);
    if (msg.sType != u"valuechanged" || !slider || slider->GetName() != u"pro_trans")
        return;
    ShowOpacity(slider->GetValue());
    m_danmu.OpacityChanged(slider->GetValue());
}

void CWndSetting::ClickNotify(TNotifyUI& msg)
{
    if (msg.pSender->GetName() == u"btn_enter")
        Close(1);
    else
        OverlayGroupClicked(m_pm, m_state, msg.pSender->GetName());
}

LRESULT CWndSetting::HandleCustomMessage(UINT msg, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    if (msg == WM_DESTROY) { // closed by 确定 or the window manager: the fields as they stand are kept
        TakeBlockLists();
        TakeOverlayPort(m_pm, m_state);
    }
    return 0;
}

// The block lists as their fields now read them, each field showing the
// list kept; the rows are built again when a list changed.
void CWndSetting::TakeBlockLists()
{
    DanmuOptions& options = m_state.options;
    bool changed = false;
    for (const BlockField& field : kBlockFields) {
        CControlUI* edit = m_pm.FindControl(field.name);
        if (!edit)
            continue;
        std::vector<std::string> list = BlockListOfText(edit->GetText().Str());
        const std::u16string shown = BlockListText(list);
        if (edit->GetText().Str() != shown)
            edit->SetText(shown.c_str());
        if (list != options.*field.list) {
            options.*field.list = std::move(list);
            changed = true;
        }
    }
    if (changed)
        m_danmu.OptionsChanged();
}

// A fade time from the file that is not a step shows as the step below.
void CWndSetting::ShowFade()
{
    const int seconds = m_state.options.fadeSeconds;
    if (auto* slider = dynamic_cast<CProgressUI*>(m_pm.FindControl(u"slider_fade")))
        slider->SetValue(seconds / kFadeStepSeconds);
    if (CControlUI* text = m_pm.FindControl(u"text_fade")) {
        CDuiString shown = u"不淡出";
        if (seconds > 0)
            shown.Format(u"%d 秒", seconds);
        text->SetText(shown);
    }
}

bool CWndSetting::FadeMoved(CControlUI* sender)
{
    auto* slider = dynamic_cast<CProgressUI*>(sender);
    if (!slider || slider->GetName() != u"slider_fade")
        return false;
    m_state.options.fadeSeconds = slider->GetValue() * kFadeStepSeconds;
    ShowFade();
    m_danmu.OptionsChanged();
    return true;
}

bool CWndSetting::CheckBoxChanged(CControlUI* sender)
{
    auto* option = dynamic_cast<COptionUI*>(sender);
    for (const CheckBox& box : kCheckBoxes) {
        if (option && option->GetName() == box.name) {
            m_state.options.*box.option = option->IsSelected();
            m_danmu.OptionsChanged();
            return true;
        }
    }
    return false;
}

void CWndSetting::SelectChangedNotify(TNotifyUI& msg)
{
    if (PageChosen(m_pm, msg.pSender) || CheckBoxChanged(msg.pSender) || ReadAloudChosen(msg.pSender) ||
        OverlayGroupSelected(m_pm, m_state, msg.pSender))
        return;
    CDuiString name = msg.pSender->GetName();
    int size = name == u"option_small"    ? 11
               : name == u"option_middle" ? 12
               : name == u"option_big"    ? 14
                                          : 0;
    if (!size)
        return;
    m_danmu.FontSizeChanged(size);
}
