#pragma once

#include <cstdint>
#include <string>

#include "support/DecimalText.h" // AtoiSaturated, which the library reads numbers with

// Small byte-string helpers shared by the whole HTTP library. None of them
// looks at the locale: letters are ASCII letters only.

// Removes spaces, tabs, CR and LF from both ends, in place.
void Trim(std::string& text);

// Replaces every occurrence of pattern, scanning on after each inserted
// replacement so inserted text is never searched again. Returns the count;
// an empty pattern matches nothing (0).
int ReplaceAll(std::string& target, const std::string& pattern, const std::string& replacement);

// Decimal text of a signed 64-bit value: optional "-" and digits.
std::string Int64ToString(std::int64_t value);

// Turns A-Z into a-z in place; every other byte stays.
void ToLowerAscii(std::string& text);

// True when the first n bytes of text equal those of prefix, ignoring ASCII
// letter case. A text shorter than n never matches.
bool StartsWithNoCase(const std::string& text, const char* prefix);
