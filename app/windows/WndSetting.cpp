#include "app/windows/WndSetting.h"

#include "app/config/BlockListText.h"
#include "app/windows/MainFrame.h"
#include "app/windows/OverlayGroup.h"
#include "app/windows/PassThroughKey.h"
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
};

// The block-list fields and the lists they edit.
struct BlockField {
    const char16_t* name;
    std::vector<std::string> DanmuOptions::*list;
};
const BlockField kBlockFields[] = {
    {u"edit_blocked_nicks", &DanmuOptions::blockedNicks},
    {u"edit_blocked_words", &DanmuOptions::blockedWords},
};

} // namespace

CWndSetting::CWndSetting(DanmuView& danmu, RunState& state) : m_danmu(danmu), m_state(state)
{
    InitWinParam(u"setting.xml");
    if (!g_openSetting)
        g_openSetting = this;
}

CWndSetting::~CWndSetting()
{
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
    if (CControlUI* status = m_pm.FindControl(u"shortcut_status"))
        status->SetText(PassThroughKeyStatus(m_state));
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
    if (CheckBoxChanged(msg.pSender) || OverlayGroupSelected(m_pm, m_state, msg.pSender))
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
