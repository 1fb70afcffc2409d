#include "support/DecimalText.h"

#include <climits>

#include "support/CType.h"

namespace {

template <typename Char>
int ReadSaturated(const Char* text)
{
    if (!text)
        return 0;
    while (IsCSpace(*text))
        ++text;
    bool negative = *text == Char('-');
    if (*text == Char('-') || *text == Char('+'))
        ++text;
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; *text >= Char('0') && *text <= Char('9'); ++text) {
        value = value * 10 + (*text - Char('0'));
        if (value > limit)
            value = limit; // saturate, and keep consuming digits
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace

int AtoiSaturated(const char* text)
{
    return ReadSaturated(text);
}

int AtoiSaturated(const char16_t* text)
{
    return ReadSaturated(text);
}
