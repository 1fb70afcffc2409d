#pragma once

#include <cstdint>
#include <string>

// Checks of the values a user hands the program (flags, variables, the
// settings file). Each returns an empty string when the value is fine, or
// what is wrong with it, worded to follow the value in a message.

// Longest host name taken, as DNS allows.
constexpr std::size_t kMaxHostLength = 253;
// Longest access key taken; the key goes into one request header.
constexpr std::size_t kMaxKeyLength = 256;
// Longest part of a bad value that a message shows.
constexpr std::size_t kMaxShownValue = 64;
// The part of a secret (the access key) that a message shows: a message box
// may be seen on a live stream.
constexpr std::size_t kShownSecretBytes = 4;

// `host` or `host:port`: letters, digits, '.', '-' and '_', port 1 to 65535.
std::string CheckHost(const std::string& value);
// Visible ASCII only (it travels in an HTTP header), 1 to kMaxKeyLength bytes.
std::string CheckKey(const std::string& value);
// A room number: decimal digits only, 0 to 2147483647.
std::string ReadRoom(const std::string& value, std::int32_t& room);

// The value quoted for a message: control characters and non-ASCII bytes as
// \xNN, cut after kMaxShownValue bytes.
std::string ShownValue(const std::string& value);
// As ShownValue, but no more than the first kShownSecretBytes.
std::string ShownSecret(const std::string& value);
