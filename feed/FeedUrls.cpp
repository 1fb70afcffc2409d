#include "feed/FeedUrls.h"

namespace {

const char kAccessKey[] = "s_7c3e91a0d25b48f6e0a9c4d1b8f27e63";

} // namespace

std::string OnlineUrl(const std::string& host, std::int32_t roomId)
{
    return "http://" + host + "/index.php/Welcome/get_live_online?live_id=" + std::to_string(roomId);
}

std::string HistoryUrl(const std::string& host, std::int32_t roomId)
{
    return "http://" + host + "/v1/historys/" + std::to_string(roomId) + "_orvel/0/25";
}

std::string DmsAuthorization()
{
    return std::string("dms ") + kAccessKey;
}
