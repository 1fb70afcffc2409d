#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/DemoOptions.h"

// The bodies the demo services answer with, spoilt as the mode says.
std::string OnlineReply(OnlineMode mode, std::int32_t online, const std::string& liveId);
std::string HistoryReply(HistoryMode mode, const std::vector<std::string>& elements);
