#include "http/Chunked.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "support/CType.h"

namespace {

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
// other non-digit; saturated just beyond the int range. *stop is where the
// reading stopped: at end when more bytes could change the number.
long long ReadHexSize(const char* p, const char* end, const char** stop)
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
    *stop = p;
    return negative ? -value : value;
}

} // namespace

int CChunkDecoder::Feed(const char* data, std::size_t length)
{
    while (m_state == kMore && length > 0) {
        std::size_t used = m_dataLeft + m_skipLeft > 0 ? TakeData(data, length) : TakeLineBytes(data, length);
        data += used;
        length -= used;
    }
    return m_state;
}

// The current chunk's data go straight to the output; the 2 bytes after them
// are skipped.
std::size_t CChunkDecoder::TakeData(const char* data, std::size_t length)
{
    std::size_t n = std::min(length, m_dataLeft);
    m_output.append(data, n);
    m_dataLeft -= n;
    std::size_t skip = std::min(length - n, m_skipLeft);
    m_skipLeft -= skip;
    return n + skip;
}

// At the start of a size line only the bytes through the next LF are staged,
// so that the data after the line go through TakeData; a line that needs
// more than that takes everything.
std::size_t CChunkDecoder::TakeLineBytes(const char* data, std::size_t length)
{
    std::size_t take = length;
    if (m_pos == m_input.size()) {
        const void* lf = std::memchr(data, '\n', length);
        if (lf != nullptr)
            take = static_cast<std::size_t>(static_cast<const char*>(lf) - data) + 1;
    }
    m_input.append(data, take);
    m_atEnd = take == length;
    int result;
    while ((result = DecodeOne()) == 1) {
    }
    Compact();
    m_state = result;
    return take;
}

// One chunk: 1 when it was consumed, else kDone, kMore or kBroken.
int CChunkDecoder::DecodeOne()
{
    if (m_crlf == std::string::npos) {
        m_crlf = m_input.find("\r\n", m_crlfScan);
        if (m_crlf == std::string::npos) {
            m_crlfScan = m_input.size() > 0 ? m_input.size() - 1 : 0;
            m_crlfScan = std::max(m_crlfScan, m_pos);
            // A CR at the end may begin the line's CR LF.
            std::size_t line = m_input.size() - m_pos;
            if (line > 0 && m_input.back() == '\r')
                --line;
            return line > kMaxSizeLine ? kBroken : kMore;
        }
    }
    if (m_crlf - m_pos > kMaxSizeLine)
        return kBroken;
    long long size = m_size;
    std::size_t extent = 0;  // bytes the size was read from
    if (!m_sizeKnown) {
        const char* begin = m_input.data() + m_pos;
        const char* end = m_input.data() + m_input.size();
        const char* stop = nullptr;
        size = ReadHexSize(begin, end, &stop);
        extent = static_cast<std::size_t>(stop - begin);
        m_size = size;
        m_sizeKnown = stop != end;
        // More bytes of this feed follow: the size may still change.
        if (!m_sizeKnown && !m_atEnd)
            return kMore;
    }
    if (size == 0)
        return kDone;
    if (size < 0 || size > INT_MAX || extent > kMaxSizeLine)
        return kBroken;
    // A size whose digits run into the end of the bytes can still grow: a
    // chunk taken with it now might not be the chunk that more bytes make.
    if (!m_sizeKnown)
        return kMore;
    return StartChunk(size);
}

// Takes what has arrived of a chunk's data: 1 when the whole chunk and the
// 2 bytes after it were there, kMore when the rest goes through TakeData.
int CChunkDecoder::StartChunk(long long size)
{
    const auto length = static_cast<std::size_t>(size);
    if (length > m_limit - m_announced)
        return kBroken;
    m_announced += length;
    const std::size_t dataStart = m_crlf + 2;
    const std::size_t available = m_input.size() - dataStart;
    const std::size_t now = std::min(available, length);
    m_output.append(m_input, dataStart, now);
    m_crlf = std::string::npos;
    m_sizeKnown = false;
    if (available >= length + 2) {
        m_pos = dataStart + length + 2;
        m_crlfScan = m_pos;
        return 1;
    }
    m_dataLeft = length - now;
    m_skipLeft = 2 - (available - now);
    m_pos = m_crlfScan = m_input.size();
    return kMore;
}

// Drops consumed input once it outweighs what is left, keeping the cost of
// the moves linear.
void CChunkDecoder::Compact()
{
    if (m_pos == m_input.size()) {
        m_input.clear();
        m_pos = m_crlfScan = 0;
        return;
    }
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
