#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "feed/DanmuItem.h"

// Pure decoding of the two web replies. Nothing here throws except on
// allocation failure: unusable JSON, at any level, is skipped.

// The viewer count of an online reply: its string member "online", read the
// way atoi reads (leading digits; "abc" gives 0), or nothing.
std::optional<std::int32_t> DecodeOnline(const std::string& body);

// The items of a history reply, in reverse order of its elements. Elements
// that yield no item are skipped; an unusable reply yields none.
std::vector<DanmuItem> DecodeHistory(const std::string& body);

// The item for one message document (the JSON text held by an element's
// "msg" string), or nothing when it is not a JSON object (or null).
std::optional<DanmuItem> DecodeMessage(const std::string& document);
