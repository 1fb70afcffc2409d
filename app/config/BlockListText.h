#pragma once

#include <string>
#include <string_view>
#include <vector>

// A block list as its field in the settings window shows it: one entry a
// line.
std::u16string BlockListText(const std::vector<std::string>& entries);

// The block list a field's text gives (UTF-8 entries). Line breaks and other
// control characters end an entry; spaces around it (also no-break and
// ideographic ones) are trimmed; empty entries are dropped, and so is an
// entry longer than kMaxBlockEntryBytes in UTF-8. The first
// kMaxBlockEntries entries are kept, and the text past them is not read.
std::vector<std::string> BlockListOfText(std::u16string_view text);

// UTF-16 to UTF-8; half of a surrogate pair becomes U+FFFD.
std::string Utf8Of(std::u16string_view text);
