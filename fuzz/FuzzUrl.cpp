// SplitUrl, ResolveUrl and SetPath over any URL and redirect reference. The
// input is the URL, a line feed, then the reference.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "http/HttpRequest.h"
#include "http/HttpStrings.h"
#include "http/Url.h"

namespace {

void CheckSplit(const std::string& url)
{
    std::string host, path;
    int port = -7;
    const int result = SplitUrl(url, host, port, path);
    if (url.empty()) {
        FUZZ_CHECK(result == -1 && port == -7);
        return;
    }
    FUZZ_CHECK(port >= 1);
    FUZZ_CHECK(!path.empty());
    FUZZ_CHECK((result == 0) == !host.empty());
}

void CheckPath(const std::string& text)
{
    CHttpRequest request;
    FUZZ_CHECK(request.SetPath(text) == 0);
    const std::string& path = request.m_path;
    FUZZ_CHECK(!path.empty());
    FUZZ_CHECK(path[0] == '/' || StartsWithNoCase(path, "http://"));
    FUZZ_CHECK(path.find_first_of(" \t\r\n") == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = FUZZ_TEXT(data, size);
    const std::size_t newline = input.find('\n');
    const std::string base = input.substr(0, newline);
    const std::string reference = newline == std::string::npos ? "" : input.substr(newline + 1);

    CheckSplit(base);
    CheckPath(reference);
    std::string resolved = "stale";
    if (ResolveUrl(base, reference, resolved) == 0) {
        CheckSplit(resolved);
        CheckPath(resolved);
    } else {
        FUZZ_CHECK(resolved.empty());
    }
    return 0;
}
