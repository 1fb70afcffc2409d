#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "http/ByteSource.h"
#include "http/Chunked.h"
#include "http/HttpResponse.h"

// The working state of one CHttpResponse::Receive. Two phases: the header
// phase copies bytes up to the blank line into the head and reads nothing
// beyond it; the body phase reads until the length rules say the reply is
// complete, into a body of its own. Then head and body are parsed into the
// response, the body moved rather than copied.
class CReplyReader {
public:
    // A header block that grows past this without its blank line is refused.
    static constexpr std::size_t kMaxHeaderBlock = 1 << 20;
    // Body pieces for the body hook.
    static constexpr std::size_t kPieceSize = 1 << 20;
    // Reads of the header block, which are peeked and then taken again.
    static constexpr int kReadSize = 10240;
    // Reads of the body: larger, so that a large body costs fewer calls.
    static constexpr int kBodyReadSize = 65536;
    // Room reserved up front for a body of announced length, at most this
    // much: the length is the server's word, not yet its bytes.
    static constexpr std::size_t kMaxReserve = 16 << 20;

    CReplyReader(CHttpResponse& response, ByteSource& source, int budgetMs);
    int Run();

private:
    enum class Step { GoOn, Complete, Fail };
    // Where the body ends.
    enum class Body { None, Length, Chunked, UntilClose };

    int ReadCap() const;
    Step TakeHeaderBytes(const char* data, int length);
    Step HeaderComplete();
    void ReadContentRange();
    Body ReadLengthRules();
    Step StartBody();
    Step TakeBodyBytes(const char* data, int length);
    Step TakeChunkedBytes(const char* data, int length);
    Step EndOfStream();
    Step AddToPiece(const char* data, std::size_t length, bool last);
    bool HandOverPiece();
    bool PieceMode() const;
    int Finish();

    CHttpResponse& m_response;
    ByteSource& m_source;
    int m_budgetMs;
    long long m_startMs = 0;
    std::uint64_t m_maxBody;

    std::unique_ptr<char[]> m_buffer;  // what one read gives
    std::string m_raw;               // the header block so far
    std::string m_body;              // the body so far, unless it goes to the hook
    std::string m_piece;             // body bytes waiting for the body hook
    std::size_t m_blankScan = 0;     // where the search for the blank line resumes
    bool m_headerDone = false;
    bool m_prefixTested = false;
    Body m_bodyKind = Body::None;
    std::string m_statusCode;
    std::string m_contentType;
    int m_contentLength = 0;
    std::uint64_t m_bodyCount = 0;   // body bytes received
    long long m_rangeOffset = 0;     // offset of the next piece
    int m_total = -1;
    CChunkDecoder m_chunks;
};
