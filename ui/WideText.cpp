#include <climits>
#include <cstdarg>
#include <cstring>

#include "ui/DuiString.h"
#include "ui/Win32.h"

namespace DuiLib {

static void AppendNumber(std::u16string& out, long long value)
{
    std::string digits = std::to_string(value);
    out.append(digits.begin(), digits.end());
}

std::u16string FormatWide(LPCTSTR format, va_list args)
{
    std::u16string out;
    for (const char16_t* p = format ? format : u""; *p; ++p) {
        if (*p != u'%') {
            out += *p;
            continue;
        }
        switch (*++p) {
        case u'd': AppendNumber(out, va_arg(args, int)); break;
        case u'u': AppendNumber(out, va_arg(args, unsigned)); break;
        case u's': {
            const char16_t* s = va_arg(args, const char16_t*);
            out += s ? s : u"";
            break;
        }
        case u'%': out += u'%'; break;
        case 0: return out; // a lone '%' at the end
        default: out += u'%'; out += *p; break;
        }
    }
    return out;
}

int CDuiString::Format(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    m_text = FormatWide(format, args);
    va_end(args);
    return GetLength();
}

} // namespace DuiLib

int wsprintfBounded(WCHAR* buffer, std::size_t capacity, LPCWSTR format, ...)
{
    if (capacity == 0)
        return 0;
    va_list args;
    va_start(args, format);
    std::u16string text = DuiLib::FormatWide(format, args);
    va_end(args);
    std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(buffer, text.data(), n * sizeof(WCHAR));
    buffer[n] = 0;
    return static_cast<int>(n);
}

static bool IsWideSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

int _wtoi(LPCWSTR text)
{
    if (!text)
        return 0;
    while (IsWideSpace(*text))
        ++text;
    bool negative = *text == u'-';
    if (*text == u'-' || *text == u'+')
        ++text;
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; *text >= u'0' && *text <= u'9'; ++text) {
        value = value * 10 + (*text - u'0');
        if (value > limit)
            value = limit; // saturate, and keep consuming digits
    }
    return static_cast<int>(negative ? -value : value);
}
