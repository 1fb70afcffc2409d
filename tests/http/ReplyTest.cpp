#include "http/HttpResponse.h"

#include <gtest/gtest.h>

#include "MemoryReceive.h"
#include "http/ReplyParse.h"

namespace {

// Serves its pieces and counts the bytes taken. Stalling, it then would block
// for ever instead of closing: a receive that waits fails on the next read,
// and the wait is recorded.
class CWatchedSource : public ByteSource {
public:
    CWatchedSource(std::vector<std::string> pieces, bool stall) : m_bytes(std::move(pieces)), m_stall(stall) {}
    ReadResult Read(char* buffer, int cap, int* got, bool peek) override
    {
        if (m_waited)
            return ReadResult::Failed;
        ReadResult result = m_bytes.Read(buffer, cap, got, peek);
        if (result == ReadResult::Data && !peek)
            m_taken += static_cast<std::size_t>(*got);
        return result == ReadResult::Closed && m_stall ? ReadResult::WouldBlock : result;
    }
    void Wait(int) override { m_waited = m_stall; }
    bool m_waited = false;
    std::size_t m_taken = 0;

private:
    CMemorySource m_bytes;
    bool m_stall;
};

TEST(ReplyParse, RawHeaderLookUpAndStatusCode)
{
    const std::string raw = "HTTP/1.1 200 OK\r\nContent-Length:   12  \r\nX:\r\ntransfer-ENCODING:  chunked \r\nX-\xC4: 1\r\n\r\n";
    const struct { const char* name; bool anyCase; int result; const char* value; } cases[] = {
        {"  Content-Length: ", false, 0, "12  "}, {"X", false, 0, ""}, {"content-length", false, -1, ""},
        {"TRANSFER-ENCODING:", true, 0, "chunked "}, {"transfer-encodin", true, -1, ""},
        {"x-\xE4", true, -1, ""},  // beyond ASCII keeps its case
        {"", true, -1, ""}, {" :: ", false, -1, ""}};
    for (const auto& c : cases) {
        std::string value = "stale";
        EXPECT_EQ(c.result, (c.anyCase ? FindRawHeaderAnyCase : FindRawHeader)(raw, c.name, value)) << c.name;
        EXPECT_EQ(c.value, value) << c.name;
    }
    std::string value;
    EXPECT_EQ(-1, FindRawHeader("HTTP/1.1 200 OK\r\nA: unended", "A", value));
    EXPECT_EQ(-1, CHttpResponse().Parse("HTTP/1.1 200 OK\r\nA: b\r\n"));  // no blank line
    const std::pair<const char*, const char*> codes[] = {
        {"HTTP/1.1 200 OK\r\n", "200"}, {"HTTP/1.1 20 OK", ""}, {"HTTP/1.1 2000 OK", ""},
        {"HTTP/1.1 200\r\nA: b", ""},   {"HTTP/1.1", ""},       {"a abc ", "abc"}};
    for (const auto& [text, code] : codes) {
        value = "stale";
        EXPECT_EQ(*code ? 0 : -1, ExtractStatusCode(text, value)) << text;
        EXPECT_EQ(code, value) << text;
    }
}

const char kChunkedHead[] = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";

// How a reply ends: received whole, one byte at a time, cut short at every
// length, and with a stream that never closes after it.
TEST(Receive, EndsAsTheLengthRulesSay)
{
    // complete: the bytes after which the receive is over; rest: bytes the server
    // sends after them; untilClose: the body is rest, and only the close ends it.
    const struct { const char* name; std::string complete, rest; int result; const char* status, *body;
                   bool untilClose = false, head = false; } cases[] = {
        {"ContentLengthAnyCase", "HTTP/1.1 200 OK\r\nCONTENT-length: 5\r\n\r\nhello", "llo", 0, "200", "hello"},
        {"ChunkedAnyCase", "HTTP/1.1 200 OK\r\ntransfer-encoding: Chunked \r\n\r\n5;x=1\r\nhello\r\n0\r\n", "\r\n", 0, "200", "hello"},
        {"NoLengthNoChunks", "HTTP/1.0 200 OK\r\nX: y\r\n\r\n", "kept\r\n\r\nall", 0, "200", "kept\r\n\r\nall", true},
        {"OtherCoding", "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n", "\x1f\x8b", 0, "200", "\x1f\x8b", true},
        {"NoContentHasNoBody", "HTTP/1.1 204 No Content\r\n\r\n", "x", 0, "204", ""},
        {"HeadReplyEndsAtTheHeader", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n", "hello", 0, "200", "", false, true},
        {"NotModifiedHasNoBody", "HTTP/1.1 304 Not Modified\r\n\r\n", "x", 0, "304", ""},
        {"LengthWinsOverChunks", "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n", "hello", 0, "200", "5\r\n"},
        {"NegativeLength", "HTTP/1.1 200 OK\r\nContent-Length: -4\r\n\r\n", "x", 0, "200", ""},
        {"StatusLineThenBlankLine", "HTTP/1.1 200 OK\r\n\r\n", "", 0, "200", "", true},
        {"Status600", "HTTP/1.1 600 Odd\r\nContent-Length: 1\r\n\r\nx", "", 0, "600", "x"},
        {"Status601KeepsBody", "HTTP/1.1 601 Odd\r\nContent-Length: 1\r\n\r\nx", "", -1, "601", "x"},
        {"Status100WithoutLength", "HTTP/1.1 100 Continue\r\n\r\n", "x", -1, "100", ""},
        {"TwoDigitStatus", "HTTP/1.1 20 OK\r\nContent-Length: 1\r\n\r\nx", "", -1, "20", "x"},
        {"NoSpaceAfterCode", "HTTP/1.1 200\r\nContent-Length: 1\r\n\r\nx", "", -1, "", "x"},
        {"Version2", "HTTP/2.0 200 OK\r\nContent-Length: 1\r\n\r\nx", "", -1, "", "x"},
        {"NotHttp", "HTTX/", "1.1 200 OK\r\n\r\n", -1, "", ""},
        {"HeaderLineWithoutColon", "HTTP/1.1 200 OK\r\nA: 1\r\nbroken\r\nB: 2\r\n\r\n", "", -1, "200", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string reply = c.complete + c.rest;
        for (std::size_t length = 0; length <= reply.size(); ++length) {
            CHttpResponse response;
            response.m_isHead = c.head;
            int result = ReceiveFrom({reply.substr(0, length)}, response);
            const bool over = length >= c.complete.size();
            EXPECT_EQ(over ? c.result : -1, result) << length;
            EXPECT_EQ(over ? c.status : "", response.m_status) << length;
            const std::string& sent = c.untilClose && over ? reply.substr(c.complete.size(), length - c.complete.size()) : "";
            EXPECT_EQ(!over ? "" : c.untilClose ? sent : c.body, response.m_body) << length;
        }
        CHttpResponse bytewise, response;
        bytewise.m_isHead = response.m_isHead = c.head;
        EXPECT_EQ(c.result, ReceiveFrom(OneByteEach(reply), bytewise));
        EXPECT_EQ(c.untilClose ? c.rest : c.body, bytewise.m_body);
        CWatchedSource source({c.complete}, true);
        int result = response.Receive(source, 0);
        EXPECT_EQ(c.untilClose, source.m_waited);  // only the close could end it
        EXPECT_EQ(c.untilClose ? -1 : c.result, result);
    }
}

// A caller's body bound fails a longer body as soon as it is passed, however
// the body is framed and its bytes cut into reads.
constexpr std::size_t kLimit = 16;

std::string Letters(std::size_t size)
{
    std::string body(size, ' ');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + i % 26);
    return body;
}

TEST(BodyBound, AtEveryReadSplitAroundTheBound)
{
    for (const Framing& framing : kFramings) {
        for (std::size_t size : {kLimit - 1, kLimit, kLimit + 1, 2 * kLimit}) {
            const std::string body = Letters(size), reply = framing.frame(body);
            for (std::size_t split = 0; split <= reply.size(); ++split) {
                SCOPED_TRACE(testing::Message() << framing.name << " size " << size << " split " << split);
                CMemorySource source({reply.substr(0, split), reply.substr(split)});
                CHttpResponse response;
                response.m_maxBody = kLimit;
                EXPECT_EQ(size <= kLimit ? 0 : -1, response.Receive(source, 0));
                EXPECT_EQ(size <= kLimit ? body : "", response.m_body);
                EXPECT_EQ(size <= kLimit ? "200" : "", response.m_status);
            }
        }
    }
}

// A length beyond the bound fails before its body is read, a body to the
// close one byte past the bound, and an announced chunk keeps nothing.
TEST(BodyBound, ReadsNoFurtherThanItNeedsToKnow)
{
    const std::string flood(1 << 20, 'f');
    const struct { const char* name; std::string head; std::size_t takenAtMost; bool ownRead; } cases[] = {
        {"Length", "HTTP/1.1 200 OK\r\nContent-Length: 1048576\r\n\r\n", 0, false},
        {"UntilClose", "HTTP/1.1 200 OK\r\n\r\n", kLimit + 1, false},
        {"Chunk", kChunkedHead + std::string("4\r\nabcd\r\n100000\r\n"), 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CWatchedSource source(c.ownRead ? std::vector<std::string>{c.head, flood} : std::vector<std::string>{c.head + flood}, false);
        CHttpResponse response;
        response.m_maxBody = kLimit;
        EXPECT_EQ(-1, response.Receive(source, 0));
        EXPECT_LE(source.m_taken, c.head.size() + c.takenAtMost);
        EXPECT_EQ("", response.m_body);
    }
}

} // namespace
