#include "http/Chunked.h"

#include <algorithm>
#include <climits>

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// strtol(text, nullptr, 16) over [p, end), which stops at a NUL byte like any
// other non-digit; saturated just beyond the int range. *open is set when the
// number ran into the end of the bytes, so that more bytes could change it.
long long ReadHexSize(const char* p, const char* end, bool* open)
{
    while (p < end && IsCSpace(*p))
        ++p;
    bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    if (end - p >= 3 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexValue(p[2]) >= 0)
        p += 2;
    long long value = 0;
    for (; p < end && HexValue(*p) >= 0; ++p)
        value = std::min(value * 16 + HexValue(*p), static_cast<long long>(INT_MAX) + 1);
    *open = p == end;
    return negative ? -value : value;
}

} // namespace

int CChunkDecoder::Feed(const char* data, std::size_t length)
{
    if (m_state != kMore)
        return m_state;
    m_input.append(data, length);
    int result;
    while ((result = DecodeOne()) == 1) {
    }
    Compact();
    m_state = result;
    return result;
}

// One chunk: 1 when it was consumed, else kDone, kMore or kBroken.
int CChunkDecoder::DecodeOne()
{
    if (m_crlf == std::string::npos) {
        m_crlf = m_input.find("\r\n", m_crlfScan);
        if (m_crlf == std::string::npos) {
            m_crlfScan = m_input.size() > 0 ? m_input.size() - 1 : 0;
            m_crlfScan = std::max(m_crlfScan, m_pos);
            return kMore;
        }
    }
    long long size = m_size;
    if (!m_sizeKnown) {
        bool open = false;
        size = ReadHexSize(m_input.data() + m_pos, m_input.data() + m_input.size(), &open);
        m_size = size;
        m_sizeKnown = !open;
    }
    if (size == 0)
        return kDone;
    if (size < 0 || size > INT_MAX)
        return kBroken;
    std::size_t dataStart = m_crlf + 2;
    if (m_input.size() - dataStart < static_cast<std::size_t>(size) + 2)
        return kMore;
    m_output.append(m_input, dataStart, static_cast<std::size_t>(size));
    m_pos = dataStart + static_cast<std::size_t>(size) + 2;
    m_crlfScan = m_pos;
    m_crlf = std::string::npos;
    m_sizeKnown = false;
    return 1;
}

// Drops consumed input once it outweighs what is left, keeping the cost of
// the moves linear.
void CChunkDecoder::Compact()
{
    if (m_pos < 4096 || m_pos < m_input.size() - m_pos)
        return;
    m_input.erase(0, m_pos);
    if (m_crlf != std::string::npos)
        m_crlf -= m_pos;
    m_crlfScan -= m_pos;
    m_pos = 0;
}

int DecodeChunked(const std::string& body, std::string& out)
{
    CChunkDecoder decoder;
    int result = decoder.Feed(body.data(), body.size());
    out = std::move(decoder.Output());
    return result;
}
