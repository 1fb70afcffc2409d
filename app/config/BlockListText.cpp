#include "app/config/BlockListText.h"

#include "app/config/DanmuOptions.h"
#include "feed/ToWide.h"

namespace {

bool EndsEntry(char16_t c)
{
    return c < 0x20 || c == 0x7F || c == 0x2028 || c == 0x2029;
}

bool IsSpace(char16_t c)
{
    return c == u' ' || c == 0xA0 || c == 0x3000;
}

std::u16string_view Trimmed(std::u16string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string Utf8Of(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string BlockListText(const std::vector<std::string>& entries)
{
    std::u16string text;
    for (const std::string& entry : entries)
        text += ToWide(entry) + u"\n";
    return text;
}

std::vector<std::string> BlockListOfText(std::u16string_view text)
{
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size() && entries.size() < kMaxBlockEntries; ++i) {
        if (i < text.size() && !EndsEntry(text[i]))
            continue;
        const std::u16string_view line = Trimmed(text.substr(start, i - start));
        start = i + 1;
        // Each UTF-16 unit takes at least one byte: a longer line is too long.
        if (line.empty() || line.size() > kMaxBlockEntryBytes)
            continue;
        std::string entry = Utf8Of(line);
        if (entry.size() <= kMaxBlockEntryBytes)
            entries.push_back(std::move(entry));
    }
    return entries;
}
