#include "http/ReplyReader.h"

#include <algorithm>
#include <climits>

#include "http/Clock.h"
#include "http/HttpStrings.h"
#include "http/ReplyParse.h"

namespace {

// sscanf(value, "bytes %d-", &offset) == 1 ? offset : 0, without overflow.
int RangeStart(const std::string& value)
{
    if (value.compare(0, 5, "bytes") != 0)
        return 0;
    std::size_t pos = value.find_first_not_of(" \t\n\v\f\r", 5);
    if (pos != std::string::npos && (value[pos] == '-' || value[pos] == '+'))
        ++pos;
    if (pos >= value.size() || value[pos] < '0' || value[pos] > '9')
        return 0;
    return AtoiSaturated(value.c_str() + 5);
}

} // namespace

CReplyReader::CReplyReader(CHttpResponse& response, ByteSource& source, int budgetMs)
    : m_response(response), m_source(source), m_budgetMs(budgetMs)
{
}

int CReplyReader::Run()
{
    m_response.Reset();
    m_startMs = NowMs();
    char buffer[kReadSize];
    for (;;) {
        if (BudgetSpent(m_startMs, m_budgetMs))
            return -1;
        int got = 0;
        ReadResult result = m_source.Read(buffer, ReadCap(), &got, !m_headerDone);
        if (result == ReadResult::WouldBlock) {
            m_source.Wait(WaitSliceMs(m_startMs, m_budgetMs));
            continue;
        }
        if (result != ReadResult::Data)
            return -1;
        Step step = m_headerDone ? TakeBodyBytes(buffer, got) : TakeHeaderBytes(buffer, got);
        if (step == Step::Fail)
            return -1;
        if (step == Step::Complete)
            return m_response.Parse(m_raw) == 0 ? 0 : -1;
    }
}

// Header bytes are peeked; a body with a length is read no further than it.
int CReplyReader::ReadCap() const
{
    if (!m_headerDone || m_coding == "chunked")
        return kReadSize;
    return static_cast<int>(std::min<long long>(kReadSize, m_contentLength - m_bodyCount));
}

// Takes the peeked bytes up to and including the blank line, if it is among
// them, and consumes exactly those from the source.
CReplyReader::Step CReplyReader::TakeHeaderBytes(const char* data, int length)
{
    std::size_t before = m_raw.size();
    m_raw.append(data, static_cast<std::size_t>(length));
    std::size_t blank = m_raw.find("\r\n\r\n", m_blankScan);
    if (blank != std::string::npos)
        m_raw.resize(blank + 4);
    m_blankScan = m_raw.size() >= 3 ? m_raw.size() - 3 : 0;

    int take = static_cast<int>(m_raw.size() - before);
    char sink[kReadSize];
    int got = 0;
    if (m_source.Read(sink, take, &got, false) != ReadResult::Data || got != take)
        return Step::Fail;
    if (!m_prefixTested && m_raw.size() >= 5) {
        if (m_raw.compare(0, 5, "HTTP/") != 0)
            return Step::Fail;
        m_prefixTested = true;
    }
    if (blank != std::string::npos)
        return HeaderComplete();
    return m_raw.size() > kMaxHeaderBlock ? Step::Fail : Step::GoOn;
}

CReplyReader::Step CReplyReader::HeaderComplete()
{
    m_headerDone = true;
    m_response.m_rawHeader = m_raw;
    if (m_response.m_onHeader) {
        m_response.m_headerCalled = 1;
        m_response.m_headerResult = m_response.m_onHeader(
            m_response.m_onHeaderUser, m_raw.c_str(), static_cast<int>(m_raw.size()));
        if (m_response.m_headerResult != 0)
            return Step::Fail;
    }
    ExtractStatusCode(m_raw, m_statusCode);
    std::string range;
    if (FindRawHeader(m_raw, "Content-Range", range) == 0) {
        ToLowerAscii(range);
        m_rangeOffset = RangeStart(range);
        std::size_t slash = range.find('/');
        if (slash != std::string::npos)
            m_total = AtoiSaturated(range.c_str() + slash + 1);
    }
    if (m_response.m_isHead)
        return Step::Complete;
    ReadLengthRules();
    if (m_coding != "chunked" && m_contentLength <= 0)
        return Step::Complete;
    return Step::GoOn;
}

// "Content-Length" first; only without it "Transfer-Encoding".
void CReplyReader::ReadLengthRules()
{
    FindRawHeader(m_raw, "Content-Type", m_contentType);
    std::string length;
    if (FindRawHeader(m_raw, "Content-Length", length) == 0) {
        m_contentLength = AtoiSaturated(length.c_str());
        if (m_total == -1)
            m_total = m_contentLength;
    } else if (FindRawHeader(m_raw, "Transfer-Encoding", m_coding) == 0) {
        ToLowerAscii(m_coding);
    }
}

bool CReplyReader::PieceMode() const
{
    return m_response.m_onData && (m_statusCode == "200" || m_statusCode == "206");
}

CReplyReader::Step CReplyReader::TakeBodyBytes(const char* data, int length)
{
    m_bodyCount += length;
    if (m_coding == "chunked")
        return TakeChunkedBytes(data, length);
    bool last = m_bodyCount >= m_contentLength;
    if (PieceMode())
        return AddToPiece(data, static_cast<std::size_t>(length), last);
    m_raw.append(data, static_cast<std::size_t>(length));
    return last ? Step::Complete : Step::GoOn;
}

// The de-chunked body replaces the chunked one in the raw text, or goes to the
// body hook piece by piece.
CReplyReader::Step CReplyReader::TakeChunkedBytes(const char* data, int length)
{
    int result = m_chunks.Feed(data, static_cast<std::size_t>(length));
    if (result == CChunkDecoder::kBroken)
        return Step::Fail;
    bool last = result == CChunkDecoder::kDone;
    if (PieceMode()) {
        std::string decoded;
        decoded.swap(m_chunks.Output());
        return AddToPiece(decoded.data(), decoded.size(), last);
    }
    if (last)
        m_raw += m_chunks.Output();
    return last ? Step::Complete : Step::GoOn;
}

CReplyReader::Step CReplyReader::AddToPiece(const char* data, std::size_t length, bool last)
{
    while (length > 0) {
        std::size_t n = std::min(length, kPieceSize - m_piece.size());
        m_piece.append(data, n);
        data += n;
        length -= n;
        if (m_piece.size() == kPieceSize && !HandOverPiece())
            return Step::Fail;
    }
    if (!last)
        return Step::GoOn;
    return m_piece.empty() || HandOverPiece() ? Step::Complete : Step::Fail;
}

// Gives the piece to the body hook; false when the hook refuses it or its
// offset no longer fits the hook's int.
bool CReplyReader::HandOverPiece()
{
    if (m_rangeOffset > INT_MAX)
        return false;
    m_response.m_dataCalled = 1;
    m_response.m_dataResult = m_response.m_onData(
        m_response.m_onDataUser, m_contentType.c_str(), m_total, static_cast<int>(m_rangeOffset),
        m_piece.data(), static_cast<int>(m_piece.size()));
    if (m_response.m_dataResult != 0)
        return false;
    m_rangeOffset += static_cast<long long>(m_piece.size());
    m_piece.clear();
    return true;
}
