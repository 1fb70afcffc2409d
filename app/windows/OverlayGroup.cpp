#include "app/windows/OverlayGroup.h"

#include "app/OverlaySink.h"
#include "app/RunState.h"
#include "feed/ToWide.h"
#include "ui/Controls.h"

using namespace DuiLib;

namespace {

void Apply(CPaintManagerUI& pm, RunState& state)
{
    if (state.overlaySink)
        state.overlaySink->Apply();
    ShowOverlayGroup(pm, state);
}

// The port's digits, or 0 for anything that is not a port.
int PortOf(const std::u16string& text)
{
    if (text.empty() || text.size() > 5)
        return 0;
    int port = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return 0;
        port = port * 10 + (c - u'0');
    }
    return port <= 65535 ? port : 0;
}

} // namespace

void ShowOverlayGroup(CPaintManagerUI& pm, const RunState& state)
{
    if (auto* box = dynamic_cast<COptionUI*>(pm.FindControl(u"check_overlay")))
        box->Selected(state.overlay.enabled, false);
    if (CControlUI* port = pm.FindControl(u"edit_overlay_port"))
        port->SetText(ToWide(std::to_string(state.overlay.port)).c_str());
    const COverlaySink* sink = state.overlaySink;
    const std::string url = sink ? sink->Url() : std::string();
    if (CControlUI* label = pm.FindControl(u"overlay_url"))
        label->SetText(url.empty() ? u"（未启动）" : ToWide(url).c_str());
    if (CControlUI* status = pm.FindControl(u"overlay_status"))
        status->SetText(ToWide(sink ? sink->Status() : std::string()).c_str());
}

bool OverlayGroupClicked(CPaintManagerUI& pm, RunState& state, const CDuiString& name)
{
    if (name == u"btn_overlay_copy") {
        if (state.overlaySink && !state.overlaySink->Url().empty())
            SetClipboardTextW(ToWide(state.overlaySink->Url()).c_str());
        return true;
    }
    if (name != u"btn_overlay_reset")
        return false;
    if (state.overlaySink)
        state.overlaySink->ResetToken();
    ShowOverlayGroup(pm, state);
    return true;
}

bool OverlayGroupSelected(CPaintManagerUI& pm, RunState& state, CControlUI* sender)
{
    auto* box = dynamic_cast<COptionUI*>(sender);
    if (!box || box->GetName() != u"check_overlay")
        return false;
    state.overlay.enabled = box->IsSelected();
    Apply(pm, state);
    return true;
}

void TakeOverlayPort(CPaintManagerUI& pm, RunState& state)
{
    CControlUI* field = pm.FindControl(u"edit_overlay_port");
    if (!field)
        return;
    const int port = PortOf(field->GetText().Str());
    if (port && port != state.overlay.port) {
        state.overlay.port = port;
        return Apply(pm, state);
    }
    ShowOverlayGroup(pm, state);
}
