#include "http/HttpStrings.h"

#include <cstring>

namespace {

bool IsTrimmed(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
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
