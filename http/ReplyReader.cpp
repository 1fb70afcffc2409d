#include "http/ReplyReader.h"

#include <algorithm>
#include <climits>

#include "http/Budget.h"
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

// Statuses whose replies never carry a body, whatever their headers say.
bool StatusWithoutBody(const std::string& code)
{
    return code == "204" || code == "304" || (code.size() == 3 && code[0] == '1');
}

} // namespace

CReplyReader::CReplyReader(CHttpResponse& response, ByteSource& source, int budgetMs)
    : m_response(response), m_source(source), m_budgetMs(budgetMs), m_maxBody(response.m_maxBody)
{
}

int CReplyReader::Run()
{
    m_response.Reset();
    m_startMs = NowMs();
    m_buffer.reset(new char[kBodyReadSize]);  // not zeroed: reads fill it
    char* buffer = m_buffer.get();
    for (;;) {
        if (BudgetSpent(m_startMs, m_budgetMs))
            return -1;
        int got = 0;
        ReadResult result = m_source.Read(buffer, ReadCap(), &got, !m_headerDone);
        if (result == ReadResult::WouldBlock) {
            m_source.Wait(WaitSliceMs(m_startMs, m_budgetMs));
            continue;
        }
        Step step = Step::Fail;
        if (result == ReadResult::Data)
            step = m_headerDone ? TakeBodyBytes(buffer, got) : TakeHeaderBytes(buffer, got);
        else if (result == ReadResult::Closed && m_bodyKind == Body::UntilClose)
            step = EndOfStream();
        if (step == Step::Fail)
            return -1;
        if (step == Step::Complete)
            return Finish();
    }
}

int CReplyReader::Finish()
{
    return ParseReply(m_response, m_raw, std::move(m_body)) == 0 ? 0 : -1;
}

// Header bytes are peeked; a body with a length is read no further than it,
// one that runs to the close no further than one byte past the body bound.
int CReplyReader::ReadCap() const
{
    if (!m_headerDone)
        return kReadSize;
    std::uint64_t cap = kBodyReadSize;
    if (m_bodyKind == Body::Length)
        cap = static_cast<std::uint64_t>(m_contentLength) - m_bodyCount;
    else if (m_bodyKind == Body::UntilClose && m_maxBody < UINT64_MAX)
        cap = m_maxBody + 1 - m_bodyCount;
    return static_cast<int>(std::min<std::uint64_t>(cap, kBodyReadSize));
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
    ReadContentRange();
    if (m_response.m_isHead)
        return Step::Complete;
    FindRawHeader(m_raw, "Content-Type", m_contentType);
    m_bodyKind = ReadLengthRules();
    return StartBody();
}

void CReplyReader::ReadContentRange()
{
    std::string range;
    if (FindRawHeader(m_raw, "Content-Range", range) != 0)
        return;
    ToLowerAscii(range);
    m_rangeOffset = RangeStart(range);
    std::size_t slash = range.find('/');
    if (slash != std::string::npos)
        m_total = AtoiSaturated(range.c_str() + slash + 1);
}

// A "Content-Length" first; only without one "Transfer-Encoding". Without
// either the body runs until the server closes the connection. Header names
// match in any letter case.
CReplyReader::Body CReplyReader::ReadLengthRules()
{
    std::string value;
    if (FindRawHeaderAnyCase(m_raw, "Content-Length", value) == 0) {
        m_contentLength = AtoiSaturated(value.c_str());
        if (m_total == -1)
            m_total = m_contentLength;
        return m_contentLength > 0 ? Body::Length : Body::None;
    }
    if (FindRawHeaderAnyCase(m_raw, "Transfer-Encoding", value) == 0) {
        Trim(value);
        ToLowerAscii(value);
        if (value == "chunked")
            return Body::Chunked;
    }
    return StatusWithoutBody(m_statusCode) ? Body::None : Body::UntilClose;
}

// Refuses an announced length beyond the body bound before reading any of
// it, and makes room for one within it.
CReplyReader::Step CReplyReader::StartBody()
{
    switch (m_bodyKind) {
    case Body::None:
        return Step::Complete;
    case Body::Length:
        if (static_cast<std::uint64_t>(m_contentLength) > m_maxBody)
            return Step::Fail;
        if (!PieceMode())
            m_body.reserve(std::min<std::size_t>(static_cast<std::size_t>(m_contentLength), kMaxReserve));
        return Step::GoOn;
    case Body::Chunked:
        m_chunks.SetLimit(m_maxBody);
        return Step::GoOn;
    case Body::UntilClose:
        return Step::GoOn;
    }
    return Step::Fail;
}

bool CReplyReader::PieceMode() const
{
    return m_response.m_onData && (m_statusCode == "200" || m_statusCode == "206");
}

CReplyReader::Step CReplyReader::TakeBodyBytes(const char* data, int length)
{
    m_bodyCount += static_cast<std::uint64_t>(length);
    if (m_bodyKind == Body::Chunked)
        return TakeChunkedBytes(data, length);
    if (m_bodyCount > m_maxBody)
        return Step::Fail;
    bool last = m_bodyKind == Body::Length && m_bodyCount >= static_cast<std::uint64_t>(m_contentLength);
    if (PieceMode())
        return AddToPiece(data, static_cast<std::size_t>(length), last);
    m_body.append(data, static_cast<std::size_t>(length));
    return last ? Step::Complete : Step::GoOn;
}

// The decoded body becomes the body, or goes to the body hook piece by piece.
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
        m_body = std::move(m_chunks.Output());
    return last ? Step::Complete : Step::GoOn;
}

// The close that ends a body without length or chunks.
CReplyReader::Step CReplyReader::EndOfStream()
{
    return PieceMode() ? AddToPiece(nullptr, 0, true) : Step::Complete;
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

// The response reads its reply through a reader over the socket or a
// source that tests and fuzzers hand in.
int CHttpResponse::Receive(SOCKET s, int budgetMs)
{
    SocketSetNonBlocking(s);
    CSocketSource source(s);
    return Receive(source, budgetMs);
}

int CHttpResponse::Receive(ByteSource& source, int budgetMs)
{
    CReplyReader reader(*this, source, budgetMs);
    return reader.Run();
}
