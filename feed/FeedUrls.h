#pragma once

#include <cstdint>
#include <string>

// The two request URLs for a room, on the given host[:port].
std::string OnlineUrl(const std::string& host, std::int32_t roomId);
std::string HistoryUrl(const std::string& host, std::int32_t roomId);

// The "Authorization" value the message service expects.
std::string DmsAuthorization();
