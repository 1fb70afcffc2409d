// The body bound a caller may set: a reply with a longer body fails as soon
// as the bound is passed, whatever way its body is framed and however its
// bytes are cut into reads.
#include "http/HttpClient.h"

#include <functional>

#include <gtest/gtest.h>

#include "ScriptedServer.h"
#include "http/ByteSource.h"

namespace {

constexpr std::size_t kLimit = 16;
const char kOk[] = "HTTP/1.1 200 OK\r\n";

std::string Body(std::size_t size)
{
    std::string body(size, ' ');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + i % 26);
    return body;
}

std::string WithLength(const std::string& body)
{
    return kOk + std::string("Content-Length: ") + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// Chunks of at most 5 bytes, so that the bound falls inside one.
std::string Chunked(const std::string& body)
{
    std::string reply = kOk + std::string("Transfer-Encoding: chunked\r\n\r\n");
    for (std::size_t at = 0; at < body.size(); at += 5) {
        const std::string chunk = body.substr(at, 5);
        reply += std::to_string(chunk.size()) + "\r\n" + chunk + "\r\n";
    }
    return reply + "0\r\n\r\n";
}

std::string UntilClose(const std::string& body)
{
    return kOk + std::string("\r\n") + body;
}

struct Framing {
    const char* name;
    std::function<std::string(const std::string&)> frame;
};

const Framing kFramings[] = {{"Length", WithLength}, {"Chunked", Chunked}, {"UntilClose", UntilClose}};

TEST(BodyBound, AtEveryReadSplitAroundTheBound)
{
    for (const Framing& framing : kFramings) {
        for (std::size_t size : {kLimit - 1, kLimit, kLimit + 1, 2 * kLimit}) {
            const std::string body = Body(size);
            const std::string reply = framing.frame(body);
            for (std::size_t split = 0; split <= reply.size(); ++split) {
                SCOPED_TRACE(testing::Message() << framing.name << " size " << size << " split " << split);
                CMemorySource source({reply.substr(0, split), reply.substr(split)});
                CHttpResponse response;
                response.m_maxBody = kLimit;
                const int result = response.Receive(source, 0);
                EXPECT_EQ(size <= kLimit ? 0 : -1, result);
                EXPECT_EQ(size <= kLimit ? body : "", response.m_body);
                EXPECT_EQ(size <= kLimit ? "200" : "", response.m_status);
            }
        }
    }
}

// Counts the bytes the reader takes from the stream.
class CCountingSource : public ByteSource {
public:
    explicit CCountingSource(std::vector<std::string> pieces) : m_bytes(std::move(pieces)) {}
    ReadResult Read(char* buffer, int cap, int* got, bool peek) override
    {
        ReadResult result = m_bytes.Read(buffer, cap, got, peek);
        if (result == ReadResult::Data && !peek)
            m_taken += static_cast<std::size_t>(*got);
        return result;
    }
    void Wait(int) override {}
    std::size_t m_taken = 0;

private:
    CMemorySource m_bytes;
};

TEST(BodyBound, ReadsNoFurtherThanItNeedsToKnow)
{
    const std::string flood(1 << 20, 'f');
    const struct {
        const char* name;
        std::string head;
        std::size_t takenAtMost;  // beyond the head
    } cases[] = {
        // An announced length beyond the bound fails before its body is read.
        {"Length", kOk + std::string("Content-Length: ") + std::to_string(flood.size()) + "\r\n\r\n", 0},
        // A body to the close is read one byte past the bound, no further.
        {"UntilClose", kOk + std::string("\r\n"), kLimit + 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CCountingSource source({c.head + flood});
        CHttpResponse response;
        response.m_maxBody = kLimit;
        EXPECT_EQ(-1, response.Receive(source, 0));
        EXPECT_LE(source.m_taken, c.head.size() + c.takenAtMost);
    }
}

TEST(BodyBound, AnnouncedChunkBeyondTheBoundKeepsNothingOfIt)
{
    CCountingSource source({kOk + std::string("Transfer-Encoding: chunked\r\n\r\n4\r\nabcd\r\n"),
                            "100000\r\n" + std::string(1 << 20, 'f')});
    CHttpResponse response;
    response.m_maxBody = kLimit;
    EXPECT_EQ(-1, response.Receive(source, 0));
    EXPECT_EQ("", response.m_body);
}

TEST(BodyBound, UnlimitedByDefault)
{
    EXPECT_EQ(CHttpResponse::kNoBodyLimit, CHttpResponse().m_maxBody);
    const std::string body = Body(3 << 20);
    for (const Framing& framing : kFramings) {
        SCOPED_TRACE(framing.name);
        CHttpResponse response;
        CMemorySource source({framing.frame(body)});
        EXPECT_EQ(0, response.Receive(source, 0));
        EXPECT_TRUE(response.m_body == body);
    }
}

TEST(BodyBound, OnTheWireTheTransferFailsWithTheReceiveCode)
{
    std::vector<ServerScript> scripts;
    for (const Framing& framing : kFramings) {
        scripts.push_back(Reply(framing.frame(Body(kLimit))));
        scripts.push_back({ExpectRequest(), Send(framing.frame(Body(kLimit + 1))), Stall()});
    }
    CScriptedServer server(scripts);
    CHttpClient client;
    client.m_response.m_maxBody = kLimit;
    for (const Framing& framing : kFramings) {
        SCOPED_TRACE(framing.name);
        EXPECT_EQ(0, client.Execute(server.Url("/"), 5000, 0));
        EXPECT_EQ(Body(kLimit), client.m_response.m_body);
        EXPECT_EQ(-1, client.Execute(server.Url("/"), 5000, 0));
        EXPECT_EQ(HTTP_ERR_RECEIVE, client.m_error);
        EXPECT_EQ("", client.m_response.m_body);
    }
}

} // namespace
