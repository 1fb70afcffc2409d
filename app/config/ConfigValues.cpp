#include "app/config/ConfigValues.h"

#include <cstdio>
#include <limits>

namespace {

bool IsHostChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
        || c == '_';
}

bool IsDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// Digits only, at most `max`; no sign, no blanks.
bool ReadNumber(const std::string& text, std::int64_t max, std::int64_t& number)
{
    if (!IsDigits(text) || text.size() > 10)
        return false;
    number = std::stoll(text);
    return number <= max;
}

std::string CheckHostName(const std::string& name)
{
    if (name.empty())
        return "has no host name";
    if (name.size() > kMaxHostLength)
        return "is longer than " + std::to_string(kMaxHostLength) + " characters";
    for (char c : name) {
        if (!IsHostChar(c))
            return "is not host or host:port (letters, digits, '.', '-', '_')";
    }
    if (name.front() == '-' || name.front() == '.')
        return "is not host or host:port (a name starts with a letter or digit)";
    return "";
}

} // namespace

std::string CheckHost(const std::string& value)
{
    const std::size_t colon = value.find(':');
    if (colon == std::string::npos)
        return CheckHostName(value);
    std::string problem = CheckHostName(value.substr(0, colon));
    if (!problem.empty())
        return problem;
    std::int64_t port = 0;
    if (!ReadNumber(value.substr(colon + 1), 65535, port) || port == 0)
        return "has no port from 1 to 65535 after ':'";
    return "";
}

std::string CheckKey(const std::string& value)
{
    if (value.empty())
        return "is empty";
    if (value.size() > kMaxKeyLength)
        return "is longer than " + std::to_string(kMaxKeyLength) + " characters";
    for (char c : value) {
        if (c <= ' ' || c > '~')
            return "holds a blank, a control or a non-ASCII character";
    }
    return "";
}

std::string ReadRoom(const std::string& value, std::int32_t& room)
{
    std::int64_t number = 0;
    if (!ReadNumber(value, std::numeric_limits<std::int32_t>::max(), number))
        return "is not a room number from 0 to 2147483647";
    room = static_cast<std::int32_t>(number);
    return "";
}

std::string ShownValue(const std::string& value)
{
    std::string shown = "\"";
    for (std::size_t i = 0; i < value.size() && i < kMaxShownValue; ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        } else {
            shown += static_cast<char>(c);
        }
    }
    shown += value.size() > kMaxShownValue ? "\"..." : "\"";
    return shown;
}

std::string ShownSecret(const std::string& value)
{
    return ShownValue(value.substr(0, kShownSecretBytes)) + (value.size() > kShownSecretBytes ? "..." : "");
}
