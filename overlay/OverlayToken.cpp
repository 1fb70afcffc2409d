#include "overlay/OverlayToken.h"

#include <cerrno>
#include <cstdint>

#include <sys/random.h>

std::string NewOverlayToken()
{
    std::uint8_t bytes[kOverlayTokenBytes];
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return {};
        got += static_cast<std::size_t>(n);
    }
    static const char kDigits[] = "0123456789abcdef";
    std::string token;
    for (std::uint8_t byte : bytes) {
        token += kDigits[byte >> 4];
        token += kDigits[byte & 0xF];
    }
    return token;
}

bool IsOverlayToken(const std::string& text)
{
    if (text.size() != kOverlayTokenLength)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

bool SameOverlayToken(const std::string& given, const std::string& token)
{
    if (given.size() != token.size() || token.empty())
        return false;
    unsigned char differ = 0;
    for (std::size_t i = 0; i < token.size(); ++i)
        differ |= static_cast<unsigned char>(given[i] ^ token[i]);
    return differ == 0;
}
