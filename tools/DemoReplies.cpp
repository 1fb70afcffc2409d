#include "tools/DemoReplies.h"

#include "tools/JsonText.h"

namespace {

std::string Join(const std::vector<std::string>& parts, const std::string& separator)
{
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

} // namespace

std::string OnlineReply(OnlineMode mode, std::int32_t online, const std::string& liveId)
{
    const std::string reply = JsonText()
                                  .Add("status", 1)
                                  .Add("live_id", liveId)
                                  .Add("online", std::to_string(online))
                                  .Text();
    switch (mode) {
    case OnlineMode::Unparsable:
        return "<html><body>502 Bad Gateway</body></html>";
    case OnlineMode::Array:
        return "[" + reply + "]";
    case OnlineMode::Number:
        return JsonText().Add("status", 1).Add("live_id", liveId).Add("online", online).Text();
    case OnlineMode::Ok:
        break;
    }
    return reply;
}

std::string HistoryReply(HistoryMode mode, const std::vector<std::string>& elements)
{
    switch (mode) {
    case HistoryMode::Unparsable:
        return "[" + Join(elements, ",").substr(0, 40);
    case HistoryMode::Object:
        return "{\"code\":0,\"data\":[" + Join(elements, ",") + "]}";
    case HistoryMode::Empty:
        return "[]";
    case HistoryMode::Ok:
        break;
    }
    return "[" + Join(elements, ",") + "]";
}

bool InOutage(int outageSeconds, std::int64_t msSinceStart)
{
    return outageSeconds > 0 && (msSinceStart / 1000) % 60 >= 60 - outageSeconds;
}
