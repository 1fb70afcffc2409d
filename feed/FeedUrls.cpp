#include "feed/FeedUrls.h"

std::string OnlineUrl(const std::string& host, std::int32_t roomId)
{
    return "http://" + host + "/index.php/Welcome/get_live_online?live_id=" + std::to_string(roomId);
}

std::string HistoryUrl(const std::string& host, std::int32_t roomId)
{
    return "http://" + host + "/v1/historys/" + std::to_string(roomId) + "_orvel/0/25";
}

std::string BuiltInDmsKey()
{
    return ORVEL_DMS_KEY;
}

std::string DmsAuthorization(const std::string& key)
{
    return "dms " + key;
}

std::string DmsAuthorization()
{
    return DmsAuthorization(BuiltInDmsKey());
}
