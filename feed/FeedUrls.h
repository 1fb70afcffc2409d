#pragma once

#include <cstdint>
#include <string>

// The two request URLs for a room, on the given host[:port].
std::string OnlineUrl(const std::string& host, std::int32_t roomId);
std::string HistoryUrl(const std::string& host, std::int32_t roomId);

// The access key this build was configured with.
std::string BuiltInDmsKey();

// The "Authorization" value the message service expects for `key`; without
// one, for the built-in key.
std::string DmsAuthorization(const std::string& key);
std::string DmsAuthorization();
