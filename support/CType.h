#pragma once

// isspace() of the "C" locale (space, \t \n \v \f \r), which atoi and strtol
// skip, whatever locale the program runs in; for bytes and UTF-16 units.
template <typename Char>
constexpr bool IsCSpace(Char c)
{
    return c == Char(' ') || (c >= Char('\t') && c <= Char('\r'));
}
