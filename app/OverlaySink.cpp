#include "app/OverlaySink.h"

#include <algorithm>
#include <utility>

#include "app/FeedLog.h"
#include "overlay/OverlayToken.h"

COverlaySink::COverlaySink(RunState& state, std::string pageFolder)
    : m_state(state), m_pageFolder(std::move(pageFolder)), m_status("已关闭")
{
    m_state.rowSinks.push_back(this);
    m_state.overlaySink = this;
}

COverlaySink::~COverlaySink()
{
    auto& sinks = m_state.rowSinks;
    sinks.erase(std::remove(sinks.begin(), sinks.end(), this), sinks.end());
    m_state.overlaySink = nullptr;
}

void COverlaySink::Apply()
{
    const OverlayOptions& wanted = m_state.overlay;
    if (!wanted.enabled || wanted.token.empty()) {
        if (m_server.Running())
            WriteLogLine("Overlay stopped");
        m_server.Stop();
        m_status = wanted.enabled ? "无法生成链接" : "已关闭";
        return;
    }
    if (m_server.Running() && wanted == m_serving)
        return;
    const OverlayStart result = m_server.Start(wanted.bind, wanted.port, wanted.token, m_pageFolder);
    m_status = OverlayStartText(result);
    if (result != OverlayStart::Started) {
        m_status += "（" + wanted.bind + ":" + std::to_string(wanted.port) + "）";
        WriteLogLine("Overlay not started on " + wanted.bind + ":" + std::to_string(wanted.port) + ": " + m_status);
        return;
    }
    m_serving = wanted;
    WriteLogLine("Overlay page at " + m_server.Url());
}

void COverlaySink::ResetToken()
{
    m_state.overlay.token.clear();
    if (!EnsureOverlayToken(m_state.overlay))
        return Apply(); // stopped: the status says why
    m_server.ResetToken(m_state.overlay.token);
    m_serving.token = m_state.overlay.token;
    if (m_server.Running())
        WriteLogLine("Overlay page at " + m_server.Url());
}

void COverlaySink::RowsArrived(int, const std::vector<DanmuItem>& rows, bool)
{
    if (m_server.Running())
        m_server.Publish(rows);
}

void COverlaySink::RoomChanged(int)
{
    m_server.Clear();
}

void COverlaySink::StatusChanged(int online, const PollOutcome& outcome)
{
    if (!m_server.Running())
        return;
    m_server.SetOnline(online);
    m_server.SetFeedState(outcome);
}

bool EnsureOverlayToken(OverlayOptions& overlay)
{
    if (overlay.token.empty())
        overlay.token = NewOverlayToken();
    return !overlay.token.empty();
}
