#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/DemoOptions.h"

// The bodies the demo services answer with, spoilt as the mode says.
std::string OnlineReply(OnlineMode mode, std::int32_t online, const std::string& liveId);
std::string HistoryReply(HistoryMode mode, const std::vector<std::string>& elements);

// True while the services play dead: the last `outageSeconds` seconds of
// every minute since they started.
bool InOutage(int outageSeconds, std::int64_t msSinceStart);
