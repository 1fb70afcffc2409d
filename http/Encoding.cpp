#include "http/Encoding.h"

#include <cstring>

namespace {

bool KeptAsIs(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c != 0 && std::strchr("_-.,:|", c) != nullptr);
}

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kGroupsPerLine = 19;

} // namespace

std::string UrlEncode(std::string value)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (char ch : value) {
        auto c = static_cast<unsigned char>(ch);
        if (KeptAsIs(c)) {
            out += ch;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string Base64Encode(const std::string& data)
{
    std::string out;
    out.reserve(data.size() / 3 * 4 + data.size() / 57 * 2 + 4);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    std::size_t full = data.size() / 3 * 3;
    int groups = 0;
    for (std::size_t i = 0; i < full; i += 3) {
        unsigned v = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
        out += kBase64[v >> 18];
        out += kBase64[(v >> 12) & 63];
        out += kBase64[(v >> 6) & 63];
        out += kBase64[v & 63];
        if (++groups == kGroupsPerLine) {
            out += "\r\n";
            groups = 0;
        }
    }
    std::size_t rest = data.size() - full;
    if (rest > 0) {
        unsigned v = bytes[full] << 16 | (rest == 2 ? bytes[full + 1] << 8 : 0);
        out += kBase64[v >> 18];
        out += kBase64[(v >> 12) & 63];
        out += rest == 2 ? kBase64[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}
