#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "feed/DanmuItem.h"

// Pure decoding of the two web replies. Nothing here throws except on
// allocation failure: unusable JSON, at any level, is skipped.

// The newest elements of a history reply that are read (the request asks
// for 25; the rest leaves room for a service that sends more). The reply
// is newest first, so these are its first elements; later ones are never
// converted.
constexpr std::size_t kMaxHistoryItems = 200;
// Longest nickname, chat text or gift name kept, in UTF-16 units; a longer
// one is cut at a code-point boundary and ends with "…".
constexpr std::size_t kMaxTextUnits = 500;

// The viewer count of an online reply: its string member "online", read the
// way atoi reads (leading digits; "abc" gives 0), or nothing.
std::optional<std::int32_t> DecodeOnline(const std::string& body);

// The items of a history reply (its first kMaxHistoryItems elements), in
// reverse order of its elements. Elements that yield no item are skipped;
// nothing when the reply is not a JSON array (or null).
std::optional<std::vector<DanmuItem>> ReadHistory(const std::string& body);

// The same, with an unusable reply yielding no items.
std::vector<DanmuItem> DecodeHistory(const std::string& body);

// The item for one message document (the JSON text held by an element's
// "msg" string), or nothing when it is not a JSON object (or null).
std::optional<DanmuItem> DecodeMessage(const std::string& document);
