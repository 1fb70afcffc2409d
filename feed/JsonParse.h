#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <json/json.h>

// Small exception-free helpers over JsonCpp for the feed's decoding.

// Parses a whole document into `root`; false when it is not strict JSON
// (comments, a repeated key or anything after the value count as errors).
// Documents nested too deeply for the reader count as not JSON instead of
// throwing.
bool ParseJson(const std::string& text, Json::Value& root);
// The same over the bytes [begin, end), without copying them.
bool ParseJson(const char* begin, const char* end, Json::Value& root);

// The member `name` of an object, or null for a missing member and for any
// value that is not an object (where the accessors would throw).
const Json::Value& MemberOf(const Json::Value& value, const char* name);

// The value when its JSON type is integer and it fits 32 bits; a real such
// as 3.0 or 3.5 never counts.
std::optional<std::int32_t> AsInt32(const Json::Value& value);

// The leading decimal number of a text as atoi reads it (white space, sign,
// digits; 0 when there are none), held to the 32-bit range instead of
// overflowing.
std::int32_t LeadingInt(const std::string& text);
