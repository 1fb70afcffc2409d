#include "http/HttpResponse.h"

#include <gtest/gtest.h>

#include "MemoryReceive.h"
#include "http/ByteSource.h"

namespace {

// Serves its bytes, then would block for ever; a receive that waits fails on
// the next read, and the wait is recorded.
class CStallingSource : public ByteSource {
public:
    explicit CStallingSource(std::string bytes) : m_bytes({std::move(bytes)}) {}
    ReadResult Read(char* buffer, int cap, int* got, bool peek) override
    {
        if (m_waited)
            return ReadResult::Failed;
        ReadResult result = m_bytes.Read(buffer, cap, got, peek);
        return result == ReadResult::Closed ? ReadResult::WouldBlock : result;
    }
    void Wait(int) override { m_waited = true; }
    bool m_waited = false;

private:
    CMemorySource m_bytes;
};

struct ReplyCase {
    const char* name;
    std::string complete;  // the bytes after which the receive is over
    std::string rest;      // bytes the server sends after them
    int result;
    const char* status;
    const char* body;
    bool untilClose = false;  // the body is rest, and only the close ends it
    std::string Reply() const { return complete + rest; }
};

const char kChunkedHead[] = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
constexpr bool kUntilClose = true;

const ReplyCase kReplyCases[] = {
    {"ContentLength", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello", "", 0, "200", "hello"},
    {"LowerCaseLength", "HTTP/1.1 200 OK\r\ncontent-length: 5\r\n\r\nhello", "", 0, "200", "hello"},
    {"MixedCaseLength", "HTTP/1.1 200 OK\r\nCONTENT-length: 2\r\n\r\nhe", "llo", 0, "200", "he"},
    {"LowerCaseChunked",
     "HTTP/1.1 200 OK\r\ntransfer-encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n", "\r\n", 0,
     "200", "hello"},
    {"NoLengthNoChunksRunsToTheClose", "HTTP/1.0 200 OK\r\nX: y\r\n\r\n", "kept\r\n\r\nall", 0, "200",
     "kept\r\n\r\nall", kUntilClose},
    {"OtherCodingRunsToTheClose", "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n", "\x1f\x8b", 0,
     "200", "\x1f\x8b", kUntilClose},
    {"NoContentHasNoBody", "HTTP/1.1 204 No Content\r\n\r\n", "x", 0, "204", ""},
    {"NotModifiedHasNoBody", "HTTP/1.1 304 Not Modified\r\n\r\n", "x", 0, "304", ""},
    {"Chunked", kChunkedHead + std::string("5\r\nhello\r\n0\r\n"), "\r\n", 0, "200", "hello"},
    {"ChunkedUpperCaseValue",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\n5;x=1\r\nhello\r\n0\r\n", "", 0,
     "200", "hello"},
    {"ChunkedWithTrailingSpace",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked \r\n\r\n5\r\nhello\r\n0\r\n", "\r\n", 0,
     "200", "hello"},
    {"LengthWinsOverChunks",
     "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n", "hello",
     0, "200", "5\r\n"},
    {"BytesBeyondTheLengthAreNotBody", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhe", "llo", 0,
     "200", "he"},
    {"ZeroLength", "HTTP/1.1 204 No Content\r\nContent-Length: 0\r\n\r\n", "x", 0, "204", ""},
    {"NegativeLength", "HTTP/1.1 200 OK\r\nContent-Length: -4\r\n\r\n", "x", 0, "200", ""},
    {"StatusLineThenBlankLine", "HTTP/1.1 200 OK\r\n\r\n", "", 0, "200", "", kUntilClose},
    {"Status600", "HTTP/1.1 600 Odd\r\nContent-Length: 1\r\n\r\nx", "", 0, "600", "x"},
    {"Status601KeepsBody", "HTTP/1.1 601 Odd\r\nContent-Length: 1\r\n\r\nx", "", -1, "601", "x"},
    {"Status100", "HTTP/1.1 100 Continue\r\nContent-Length: 1\r\n\r\nx", "", -1, "100", "x"},
    {"Status100WithoutLength", "HTTP/1.1 100 Continue\r\n\r\n", "x", -1, "100", ""},
    {"TwoDigitStatus", "HTTP/1.1 20 OK\r\nContent-Length: 1\r\n\r\nx", "", -1, "20", "x"},
    {"NoSpaceAfterCode", "HTTP/1.1 200\r\nContent-Length: 1\r\n\r\nx", "", -1, "", "x"},
    {"Version2", "HTTP/2.0 200 OK\r\nContent-Length: 1\r\n\r\nx", "", -1, "", "x"},
    {"NotHttp", "HTTX/", "1.1 200 OK\r\n\r\n", -1, "", ""},
    {"HeaderLineWithoutColon", "HTTP/1.1 200 OK\r\nA: 1\r\nbroken\r\nB: 2\r\n\r\n", "", -1,
     "200", "", kUntilClose},
    {"NegativeChunkSize", kChunkedHead + std::string("-5\r\n"), "hello\r\n0\r\n\r\n", -1, "", ""},
    {"HugeChunkSize", kChunkedHead + std::string("FFFFFFFFFFFFFFFFFFFF\r\n"), "x", -1, "", ""},
};

std::ostream& operator<<(std::ostream& os, const ReplyCase& c)
{
    return os << c.name;
}

// The body after `received` bytes of the reply and the close.
std::string BodyAfter(const ReplyCase& c, std::size_t received)
{
    if (!c.untilClose)
        return c.body;
    return c.Reply().substr(c.complete.size(), received - c.complete.size());
}

void ExpectOutcome(const ReplyCase& c, int result, const CHttpResponse& response,
                   const std::string& body)
{
    EXPECT_EQ(c.result, result);
    EXPECT_EQ(c.status, response.m_status);
    EXPECT_EQ(body, response.m_body);
}

void ExpectOutcome(const ReplyCase& c, int result, const CHttpResponse& response)
{
    ExpectOutcome(c, result, response, c.body);
}

class ReceiveTable : public testing::TestWithParam<ReplyCase> {};

TEST_P(ReceiveTable, Whole)
{
    CHttpResponse response;
    int result = ReceiveFrom({GetParam().Reply()}, response);
    ExpectOutcome(GetParam(), result, response);
}

TEST_P(ReceiveTable, OneByteAtATime)
{
    CHttpResponse response;
    int result = ReceiveFrom(OneByteEach(GetParam().Reply()), response);
    ExpectOutcome(GetParam(), result, response);
}

TEST_P(ReceiveTable, TruncatedAtEveryLength)
{
    const ReplyCase& c = GetParam();
    const std::string reply = c.Reply();
    for (std::size_t length = 0; length < reply.size(); ++length) {
        CHttpResponse response;
        int result = ReceiveFrom({reply.substr(0, length)}, response);
        if (length >= c.complete.size()) {
            ExpectOutcome(c, result, response, BodyAfter(c, length));
            continue;
        }
        EXPECT_EQ(-1, result) << length;
        EXPECT_EQ("", response.m_status) << length;
        EXPECT_EQ("", response.m_body) << length;
        EXPECT_TRUE(response.m_headers.empty()) << length;
    }
}

TEST_P(ReceiveTable, EndsWithoutWaitingForMore)
{
    const ReplyCase& c = GetParam();
    CStallingSource source(c.complete);
    CHttpResponse response;
    int result = response.Receive(source, 0);
    if (c.untilClose) {  // only the close could end it
        EXPECT_TRUE(source.m_waited);
        EXPECT_EQ(-1, result);
        return;
    }
    EXPECT_FALSE(source.m_waited);
    ExpectOutcome(c, result, response);
}

INSTANTIATE_TEST_SUITE_P(Reply, ReceiveTable, testing::ValuesIn(kReplyCases));

TEST(Receive, KeepsTheHeaderBlockAndParsedHeaders)
{
    CHttpResponse response;
    std::string reply = "HTTP/1.1 404 Not  Found \r\nB:  2 \r\nA:1\r\nB: 3\r\n : e\r\n\r\n";
    ASSERT_EQ(0, ReceiveFrom({reply}, response));
    EXPECT_EQ(reply, response.m_rawHeader);
    EXPECT_EQ("Not  Found ", response.m_reason);
    EXPECT_EQ((HeaderMap{{"", "e"}, {"A", "1"}, {"B", "3"}}), response.m_headers);
}

TEST(Receive, FailedHeaderLineKeepsTheLinesBefore)
{
    CHttpResponse response;
    ReceiveFrom({"HTTP/1.1 200 OK\r\nA: 1\r\nbroken\r\nB: 2\r\n\r\n"}, response);
    EXPECT_EQ((HeaderMap{{"A", "1"}}), response.m_headers);
    EXPECT_EQ("OK", response.m_reason);
}

TEST(Receive, HeadReplyEndsAtTheHeader)
{
    CHttpResponse response;
    response.m_isHead = 1;
    CStallingSource source("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n");
    EXPECT_EQ(0, response.Receive(source, 0));
    EXPECT_FALSE(source.m_waited);
    EXPECT_EQ("", response.m_body);
}

TEST(Receive, EndlessHeaderFailsAtItsCap)
{
    CStallingSource source("HTTP/1.1 200 OK\r\nX: " + std::string(2 << 20, 'x'));
    CHttpResponse response;
    EXPECT_EQ(-1, response.Receive(source, 0));
    EXPECT_FALSE(source.m_waited);
    EXPECT_EQ("", response.m_rawHeader);
}

} // namespace
