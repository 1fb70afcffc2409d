#pragma once

#include <string>

class CHttpResponse;

// Looks a header up in raw reply text: "\r\n", the name and ":" in sequence,
// case-sensitive. The name loses leading spaces and trailing spaces and ":".
// The value runs from after the ":" and its spaces to the next CR LF, trailing
// spaces kept. 0 and the value in out, or -1 (out empty).
int FindRawHeader(const std::string& raw, std::string name, std::string& out);

// The same, with the name matched regardless of ASCII letter case: header
// names are case-insensitive in HTTP, and gateways often send them in lower
// case. Used for the headers that decide where a body ends.
int FindRawHeaderAnyCase(const std::string& raw, std::string name, std::string& out);

// The text between the first two spaces of raw when it is 3 characters long:
// 0 and the code in out, else -1 (out empty).
int ExtractStatusCode(const std::string& raw, std::string& out);

// CHttpResponse::Parse of head followed by body, where head is the reply text
// through its first blank line; the body is moved in, not copied.
int ParseReply(CHttpResponse& response, const std::string& head, std::string body);
