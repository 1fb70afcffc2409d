#pragma once

#include <cstddef>
#include <string>

// UTF-8 to UTF-16. The text ends at its first NUL byte; every invalid
// sequence becomes U+FFFD, so nothing is ever rejected. A text that would
// need more than `maxUnits` UTF-16 units is cut at a code-point boundary
// and ended with "…" within that many units; the input past the cut is
// never looked at.
std::u16string ToWide(const std::string& utf8, std::size_t maxUnits = std::u16string::npos);
// The same over the bytes [begin, end), without copying them.
std::u16string ToWide(const char* begin, const char* end, std::size_t maxUnits);

// UTF-16 to UTF-8, for what leaves the program as text (the overlay's
// events). A lone surrogate becomes U+FFFD.
std::string ToUtf8(const std::u16string& wide);
