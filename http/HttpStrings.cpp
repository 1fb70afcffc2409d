#include "http/HttpStrings.h"

#include <climits>
#include <cstring>

namespace {

bool IsTrimmed(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// isspace() of the "C" locale, which atoi and strtol skip.
bool IsCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

void Trim(std::string& text)
{
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && IsTrimmed(text[start]))
        ++start;
    while (end > start && IsTrimmed(text[end - 1]))
        --end;
    if (start == 0 && end == text.size())
        return;
    text = text.substr(start, end - start);
}

int ReplaceAll(std::string& target, const std::string& pattern, const std::string& replacement)
{
    if (pattern.empty())
        return 0;
    int count = 0;
    std::size_t pos = 0;
    while ((pos = target.find(pattern, pos)) != std::string::npos) {
        target.replace(pos, pattern.size(), replacement);
        pos += replacement.size();
        ++count;
    }
    return count;
}

std::string Int64ToString(std::int64_t value)
{
    return std::to_string(value);
}

void ToLowerAscii(std::string& text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 0x20);
    }
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    std::size_t n = std::strlen(prefix);
    if (text.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        char a = text[i];
        char b = prefix[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a + 0x20);
        if (b >= 'A' && b <= 'Z')
            b = static_cast<char>(b + 0x20);
        if (a != b)
            return false;
    }
    return true;
}

int AtoiSaturated(const char* text)
{
    while (IsCSpace(*text))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > limit)
            value = limit;
    }
    return static_cast<int>(negative ? -value : value);
}
