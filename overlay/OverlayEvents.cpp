#include "overlay/OverlayEvents.h"

#include <cstdlib>
#include <utility>

#include <json/json.h>

#include "feed/ToWide.h"

namespace {

std::string Frame(const char* event, const Json::Value& data, const std::string& id = {})
{
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;
    std::string frame = id.empty() ? std::string() : "id: " + id + "\n";
    return frame + "event: " + event + "\ndata: " + Json::writeString(writer, data) + "\n\n";
}

std::u16string WithoutColon(std::u16string nick)
{
    if (!nick.empty() && nick.back() == u':')
        nick.pop_back();
    return nick;
}

} // namespace

std::string RowEvent(const std::string& run, std::uint64_t seq, const DanmuItem& item)
{
    Json::Value data;
    data["nick"] = ToUtf8(WithoutColon(item.nick));
    data["msg"] = ToUtf8(item.msg);
    data["level"] = item.level;
    data["gift"] = item.gift;
    return Frame("row", data, run + "-" + std::to_string(seq));
}

std::string OnlineEvent(std::int32_t count)
{
    Json::Value data;
    data["count"] = count;
    return Frame("online", data);
}

std::string StateEvent(const PollOutcome& outcome)
{
    Json::Value data;
    data["state"] = !outcome.reported ? "connecting" : CycleSucceeded(outcome) ? "ok" : "down";
    data["reason"] = FailureReason(outcome);
    return Frame("state", data);
}

std::string ClearEvent()
{
    return "event: clear\ndata: {}\n\n";
}

std::string RetryField()
{
    return "retry: 2000\n\n";
}

std::string KeepAliveComment()
{
    return ": keep-alive\n\n";
}

COverlayRing::COverlayRing(std::string run) : m_run(std::move(run)) {}

const std::string& COverlayRing::Add(const DanmuItem& item)
{
    m_frames.push_back({m_next, RowEvent(m_run, m_next, item)});
    ++m_next;
    m_bytes += m_frames.back().text.size();
    while (m_frames.size() > kMaxEvents || (m_bytes > kMaxBytes && m_frames.size() > 1)) {
        m_bytes -= m_frames.front().text.size();
        m_frames.pop_front();
    }
    return m_frames.back().text;
}

void COverlayRing::Clear()
{
    m_frames.clear();
    m_bytes = 0;
}

std::size_t COverlayRing::After(const std::string& lastEventId, std::string& frames) const
{
    std::uint64_t after = 0;
    if (!lastEventId.empty()) {
        const std::size_t dash = lastEventId.rfind('-');
        if (dash == std::string::npos || lastEventId.compare(0, dash, m_run) != 0)
            return 0;
        after = std::strtoull(lastEventId.c_str() + dash + 1, nullptr, 10);
    }
    std::size_t count = 0;
    for (const Frame& frame : m_frames) {
        if (frame.seq > after) {
            frames += frame.text;
            ++count;
        }
    }
    return count;
}
