// FindRawHeader, FindRawHeaderAnyCase and ExtractStatusCode over any reply
// text. The input is the header name, a line feed, then the raw text.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "http/ReplyParse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = FUZZ_TEXT(data, size);
    const std::size_t newline = input.find('\n');
    const std::string name = input.substr(0, newline);
    const std::string raw = newline == std::string::npos ? input : input.substr(newline + 1);

    std::string value = "stale";
    if (FindRawHeader(raw, name, value) == 0) {
        FUZZ_CHECK(raw.find(value) != std::string::npos);
        FUZZ_CHECK(value.find("\r\n") == std::string::npos);
    } else {
        FUZZ_CHECK(value.empty());
    }

    // Any letter case finds at least what the exact name finds, and no later.
    std::string anyCase = "stale";
    if (FindRawHeaderAnyCase(raw, name, anyCase) == 0) {
        FUZZ_CHECK(anyCase.find("\r\n") == std::string::npos);
        FUZZ_CHECK(raw.find(anyCase) != std::string::npos);
    } else {
        FUZZ_CHECK(anyCase.empty());
        FUZZ_CHECK(value.empty());
    }

    std::string code = "stale";
    if (ExtractStatusCode(raw, code) == 0)
        FUZZ_CHECK(code.size() == 3 && raw.find(" " + code + " ") != std::string::npos);
    else
        FUZZ_CHECK(code.empty());
    return 0;
}
