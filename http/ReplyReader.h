#pragma once

#include <string>

#include "http/ByteSource.h"
#include "http/Chunked.h"
#include "http/HttpResponse.h"

// The working state of one CHttpResponse::Receive. Two phases: the header
// phase copies bytes up to the blank line into the raw text and reads nothing
// beyond it; the body phase reads until the length rules say the reply is
// complete. Then the raw text is parsed into the response.
class CReplyReader {
public:
    // A header block that grows past this without its blank line is refused.
    static constexpr std::size_t kMaxHeaderBlock = 1 << 20;
    // Body pieces for the body hook.
    static constexpr std::size_t kPieceSize = 1 << 20;
    static constexpr int kReadSize = 10240;

    CReplyReader(CHttpResponse& response, ByteSource& source, int budgetMs);
    int Run();

private:
    enum class Step { GoOn, Complete, Fail };

    int ReadCap() const;
    Step TakeHeaderBytes(const char* data, int length);
    Step HeaderComplete();
    void ReadLengthRules();
    Step TakeBodyBytes(const char* data, int length);
    Step TakeChunkedBytes(const char* data, int length);
    Step AddToPiece(const char* data, std::size_t length, bool last);
    bool HandOverPiece();
    bool PieceMode() const;

    CHttpResponse& m_response;
    ByteSource& m_source;
    int m_budgetMs;
    long long m_startMs = 0;

    std::string m_raw;               // the reply text so far
    std::string m_piece;             // body bytes waiting for the body hook
    std::size_t m_blankScan = 0;     // where the search for the blank line resumes
    bool m_headerDone = false;
    bool m_prefixTested = false;
    std::string m_statusCode;
    std::string m_contentType;
    std::string m_coding;
    int m_contentLength = 0;
    long long m_bodyCount = 0;       // body bytes received
    long long m_rangeOffset = 0;     // offset of the next piece
    int m_total = -1;
    CChunkDecoder m_chunks;
};
