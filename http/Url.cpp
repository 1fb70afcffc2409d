#include "http/Url.h"

#include <algorithm>

#include "http/HttpStrings.h"

namespace {

constexpr std::size_t kMaxHost = 1023;
constexpr std::size_t kMaxBasePath = 2047;
constexpr std::size_t kMaxDirectory = 499;

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A reference that starts with letters and ":" names its own scheme.
bool HasScheme(const std::string& reference)
{
    std::size_t n = 0;
    while (n < reference.size() && IsAsciiLetter(reference[n]))
        ++n;
    return n > 0 && n < reference.size() && reference[n] == ':';
}

// The text up to the first NUL byte, as the C string it once was.
std::string UpToNul(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

// Drops "../" (climbing the directory) and then "./" from the reference.
void ApplyDotSegments(std::string& directory, std::string& reference)
{
    while (reference.compare(0, 3, "../") == 0) {
        reference.erase(0, 3);
        if (directory.size() > 1) {
            // No "/" before the last one: the directory is the root, even
            // when the host was cut and its rest began the path.
            std::size_t previous = directory.rfind('/', directory.size() - 2);
            directory = previous == std::string::npos ? "/" : directory.substr(0, previous + 1);
        }
    }
    while (reference.compare(0, 2, "./") == 0)
        reference.erase(0, 2);
}

} // namespace

int SplitUrl(std::string url, std::string& host, int& port, std::string& path)
{
    if (url.empty())
        return -1;
    std::size_t start = url.find("://");
    start = start == std::string::npos ? 0 : start + 3;
    std::size_t colon = url.find(':', start);
    std::size_t slash = url.find('/', start);
    if (colon != std::string::npos && colon < slash) {
        host = url.substr(start, colon - start);
        std::size_t portEnd = slash == std::string::npos ? url.size() : slash;
        port = AtoiSaturated(url.substr(colon + 1, portEnd - colon - 1).c_str());
        path = slash == std::string::npos ? "/" : url.substr(slash);
    } else if (slash != std::string::npos) {
        host = url.substr(start, slash - start);
        port = 80;
        path = url.substr(slash);
    } else {
        host = url.substr(start);
        port = 80;
        path = "/";
    }
    if (port <= 0)
        port = 80;
    return host.empty() ? -1 : 0;
}

int ResolveUrl(std::string base, std::string reference, std::string& out)
{
    out.clear();
    if (HasScheme(reference)) {
        out = reference;
        return 0;
    }
    base = UpToNul(base);
    std::size_t hostStart;
    if (StartsWithNoCase(base, "http://"))
        hostStart = 7;
    else if (StartsWithNoCase(base, "ftp://"))
        hostStart = 6;
    else
        return -1;
    std::size_t hostEnd = std::min(base.find('/', hostStart), hostStart + kMaxHost);
    hostEnd = std::min(hostEnd, base.size());
    std::string host = base.substr(hostStart, hostEnd - hostStart);
    std::string basePath = base.substr(hostEnd);
    if (basePath.empty())
        basePath = "/";
    if (basePath.size() > kMaxBasePath)
        return -1;

    std::size_t skip = reference.find_first_not_of(" \t");
    reference.erase(0, skip == std::string::npos ? reference.size() : skip);
    if (!reference.empty() && reference[0] == '/') {
        out = "http://" + host + reference;
        return 0;
    }
    std::size_t lastSlash = basePath.rfind('/');
    if (lastSlash == std::string::npos || lastSlash + 1 > kMaxDirectory)
        return -1;
    std::string directory = basePath.substr(0, lastSlash + 1);
    ApplyDotSegments(directory, reference);
    out = "http://" + host + directory + reference;
    return 0;
}
