#pragma once

#include <string>

// Looks a header up in raw reply text: "\r\n", the name and ":" in sequence,
// case-sensitive. The name loses leading spaces and trailing spaces and ":".
// The value runs from after the ":" and its spaces to the next CR LF, trailing
// spaces kept. 0 and the value in out, or -1 (out empty).
int FindRawHeader(const std::string& raw, std::string name, std::string& out);

// The text between the first two spaces of raw when it is 3 characters long:
// 0 and the code in out, else -1 (out empty).
int ExtractStatusCode(const std::string& raw, std::string& out);
