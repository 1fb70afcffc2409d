// The text functions of Win32.h: bounded formatting and text to number.

#include <climits>
#include <cstdarg>
#include <cstring>

#include "ui/DuiString.h"
#include "ui/Win32.h"

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
