#include "feed/ToWide.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include <utf8.h>

namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr char16_t kEllipsis = u'\u2026';

void AppendCodePoint(std::u16string& wide, std::uint32_t cp)
{
    if (cp < 0x10000) {
        wide.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    wide.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    wide.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// One step of the conversion: the next code point, or one replacement for
// an invalid sequence (with the continuation bytes that follow it).
void ConvertNext(const char*& it, const char* end, std::u16string& wide)
{
    std::uint32_t cp = 0;
    switch (utf8::internal::validate_next(it, end, cp)) {
    case utf8::internal::UTF8_OK:
        AppendCodePoint(wide, cp);
        return;
    case utf8::internal::NOT_ENOUGH_ROOM:
        it = end;
        break;
    case utf8::internal::INVALID_LEAD:
        ++it;
        break;
    default:
        ++it;
        while (it != end && utf8::internal::is_trail(*it)) {
            ++it;
        }
        break;
    }
    wide.push_back(kReplacement);
}

} // namespace

std::u16string ToWide(const std::string& utf8, std::size_t maxUnits)
{
    return ToWide(utf8.data(), utf8.data() + utf8.size(), maxUnits);
}

std::u16string ToWide(const char* begin, const char* end, std::size_t maxUnits)
{
    const char* it = begin;
    std::u16string wide;
    // One unit past the limit is enough to know that the text is cut.
    while (it != end && *it != '\0' && wide.size() <= maxUnits) {
        const char* nul = static_cast<const char*>(std::memchr(it, '\0', std::min<std::size_t>(end - it, 4)));
        ConvertNext(it, nul ? nul : end, wide);
    }
    if (wide.size() > maxUnits) {
        wide.resize(maxUnits > 0 ? maxUnits - 1 : 0);
        if (!wide.empty() && wide.back() >= 0xD800 && wide.back() < 0xDC00) {
            wide.pop_back(); // never half a surrogate pair
        }
        if (maxUnits > 0) {
            wide.push_back(kEllipsis);
        }
    }
    return wide;
}

std::string ToUtf8(const std::u16string& wide)
{
    std::string utf8;
    utf8.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        std::uint32_t cp = wide[i];
        const bool pair = cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
                          wide[i + 1] <= 0xDFFF;
        if (pair)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[++i] - 0xDC00);
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = kReplacement;
        utf8::append(cp, std::back_inserter(utf8));
    }
    return utf8;
}
