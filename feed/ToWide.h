#pragma once

#include <string>

// UTF-8 to UTF-16. The text ends at its first NUL byte; every invalid
// sequence becomes U+FFFD, so nothing is ever rejected.
std::u16string ToWide(const std::string& utf8);
