// The text functions of Win32.h: bounded formatting and text to number.

#include <cstdarg>
#include <cstring>

#include "support/DecimalText.h"
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

int _wtoi(LPCWSTR text)
{
    return AtoiSaturated(text);
}
