#include "overlay/OverlayRequest.h"

#include <algorithm>
#include <cctype>

#include "overlay/OverlayToken.h"

namespace {

const char kPrefix[] = "/overlay/";
const char kEventsName[] = "events";

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The host without a ":port" made of digits.
std::string WithoutPort(const std::string& host)
{
    const std::size_t colon = host.rfind(':');
    if (colon == std::string::npos)
        return host;
    const bool digits = std::all_of(host.begin() + colon + 1, host.end(),
                                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    return digits ? host.substr(0, colon) : host;
}

} // namespace

bool IsOverlayHost(const std::string& host, const std::string& bindAddress)
{
    const std::string name = WithoutPort(host);
    return !name.empty() &&
           (name == bindAddress || name == "127.0.0.1" || EqualsIgnoringCase(name, "localhost"));
}

OverlayRequest RouteOverlayRequest(const std::string& method, const std::string& host, const std::string& path,
                                   const std::string& bindAddress, const std::string& token)
{
    if (!IsOverlayHost(host, bindAddress))
        return {OverlayRoute::WrongHost, {}};
    if (method != "GET" && method != "HEAD")
        return {OverlayRoute::BadMethod, {}};
    const std::size_t prefix = sizeof kPrefix - 1;
    if (path.compare(0, prefix, kPrefix) != 0)
        return {};
    const std::size_t slash = path.find('/', prefix);
    if (!SameOverlayToken(path.substr(prefix, slash - prefix), token))
        return {};
    if (slash == std::string::npos)
        return {OverlayRoute::AddSlash, {}};
    const std::string rest = path.substr(slash + 1);
    if (rest.empty())
        return {OverlayRoute::Page, {}};
    if (rest == kEventsName)
        return {OverlayRoute::Events, {}};
    return {OverlayRoute::File, rest};
}

std::string OverlayUrl(const std::string& bindAddress, int port, const std::string& token)
{
    return "http://" + bindAddress + ":" + std::to_string(port) + kPrefix + token + "/";
}
