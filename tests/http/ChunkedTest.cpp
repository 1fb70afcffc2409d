#include "http/Chunked.h"

#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

namespace {

// The plain algorithm the decoder must agree with: decode everything received
// so far from the start, reading sizes with strtol.
int ReferenceDecode(const std::string& body, std::string& out)
{
    out.clear();
    std::size_t pos = 0;
    for (;;) {
        long size = std::strtol(body.c_str() + pos, nullptr, 16);
        std::size_t crlf = body.find("\r\n", pos);
        if (crlf == std::string::npos)
            return -1;
        if (size == 0)
            return 0;
        std::size_t start = crlf + 2;
        if (body.size() - start < static_cast<unsigned long>(size) + 2)
            return -1;
        out.append(body, start, static_cast<std::size_t>(size));
        pos = start + static_cast<std::size_t>(size) + 2;
    }
}

// Feeds body one byte at a time and checks the decoder against the
// reference after every byte, until the decoder is over. A broken body must
// be one that the reference would wait on for ever.
void ExpectAgreementOnEveryPrefix(const std::string& body)
{
    CChunkDecoder decoder;
    std::string decoded;
    for (std::size_t i = 0; i < body.size(); ++i) {
        int result = decoder.Feed(&body[i], 1);
        decoded += decoder.Output();
        decoder.Output().clear();
        std::string reference;
        int referenceResult = ReferenceDecode(body.substr(0, i + 1), reference);
        if (result == CChunkDecoder::kBroken) {
            EXPECT_EQ(-1, referenceResult) << "after byte " << i;
            return;
        }
        ASSERT_EQ(referenceResult, result) << "after byte " << i;
        if (result == CChunkDecoder::kDone) {
            EXPECT_EQ(reference, decoded);
            return;
        }
    }
}

// Split in two feeds at every offset: the decoder agrees with the reference
// at both boundaries.
void ExpectAgreementAtEverySplit(const std::string& body)
{
    for (std::size_t split = 0; split <= body.size(); ++split) {
        CChunkDecoder decoder;
        std::string reference;
        int first = decoder.Feed(body.data(), split);
        int referenceFirst = ReferenceDecode(body.substr(0, split), reference);
        if (first != CChunkDecoder::kMore) {
            EXPECT_EQ(first == CChunkDecoder::kBroken ? -1 : first, referenceFirst) << split;
            continue;
        }
        EXPECT_EQ(-1, referenceFirst) << split;
        int second = decoder.Feed(body.data() + split, body.size() - split);
        int referenceSecond = ReferenceDecode(body, reference);
        EXPECT_EQ(second == CChunkDecoder::kBroken ? -1 : second, referenceSecond) << split;
        if (second == CChunkDecoder::kDone) {
            EXPECT_EQ(reference, decoder.Output()) << split;
        }
    }
}

struct ChunkCase {
    const char* name;
    std::string body;
    int result;
    std::string decoded;
};

const ChunkCase kChunkCases[] = {
    {"OneChunk", "5\r\nhello\r\n0\r\n\r\n", 0, "hello"},
    {"EndsAtTheLastSizeLine", "5\r\nhello\r\n0\r\n", 0, "hello"},
    {"TwoChunksAndTrailer", "3\r\nabc\r\n02\r\nde\r\n0\r\nT: x\r\n\r\n", 0, "abcde"},
    {"Extensions", "5;name=v\r\nhello\r\n0;z\r\n", 0, "hello"},
    {"HexPrefixAndCase", "0xA\r\n0123456789\r\naB\r\n" + std::string(0xAB, 'z') + "\r\n0\r\n", 0,
     "0123456789" + std::string(0xAB, 'z')},
    {"LeadingWhiteSpace", " \t5\r\nhello\r\n0\r\n", 0, "hello"},
    {"NoDigitsReadsAsZero", "5\r\nhello\r\nxyz\r\nmore", 0, "hello"},
    {"MinusZeroIsZero", "-0\r\n", 0, ""},
    {"DataEndsAreNotExamined", "2\r\nabXY1\r\nc??0\r\n", 0, "abc"},
    {"BinaryData", std::string("3\r\n\0\r\n\r\n0\r\n", 11), 0, std::string("\0\r\n", 3)},
    {"WaitingForDataKeepsWhatArrived", "5\r\nhel", -1, "hel"},
    {"WaitingForTheDataEnd", "5\r\nhello", -1, "hello"},
    {"WaitingForOneOfTheDataEnd", "5\r\nhello\r", -1, "hello"},
    {"WaitingForTheSizeLine", "5\r\nhello\r\n0", -1, "hello"},
    {"Empty", "", -1, ""},
    // strtol skips a CR LF before the digits, while the data start after the
    // first CR LF: the size is read across the line end.
    {"SizeReadAcrossTheLineEnd", "\r\n3\r\nxyz", -1, "3\r\n"},
    {"SizeStillGrowingAfterTheLineEnd",
     "\r\n" + std::string(12, ' ') + "5F\r\n" + std::string(79, 'y') + "zz0\r\n", 0,
     std::string(12, ' ') + "5F\r\n" + std::string(79, 'y')},
    {"BlankSizeLineEnds", "\r\n", 0, ""},
    {"Negative", "-5\r\nhello\r\n0\r\n", -2, ""},
    {"NegativeAfterAChunk", "1\r\na\r\n-1\r\n", -2, "a"},
    {"BeyondInt", "80000000\r\n", -2, ""},
    {"FarBeyondLong", "FFFFFFFFFFFFFFFFFFFFFFFF\r\nx", -2, ""},
    {"LargestIntWaits", "7FFFFFFF\r\nx", -1, "x"},
};

std::ostream& operator<<(std::ostream& os, const ChunkCase& c)
{
    return os << c.name;
}

class ChunkTable : public testing::TestWithParam<ChunkCase> {};

TEST_P(ChunkTable, Whole)
{
    std::string out = "stale";
    EXPECT_EQ(GetParam().result, DecodeChunked(GetParam().body, out));
    EXPECT_EQ(GetParam().decoded, out);
}

TEST_P(ChunkTable, OneByteAtATimeAgreesWithEveryPrefix)
{
    ExpectAgreementOnEveryPrefix(GetParam().body);
}

TEST_P(ChunkTable, TwoFeedsAgreeAtEverySplit)
{
    ExpectAgreementAtEverySplit(GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(Chunked, ChunkTable, testing::ValuesIn(kChunkCases));

TEST(Chunked, RandomBodiesAgreeWithTheReference)
{
    const char alphabet[] = "0015aF-+x; \t\r\n\r\nz";
    std::mt19937 random(20240611);
    for (int n = 0; n < 3000; ++n) {
        std::string body(random() % 28, ' ');
        for (char& c : body)
            c = alphabet[random() % (sizeof alphabet - 1)];
        SCOPED_TRACE(testing::PrintToString(body));
        ExpectAgreementOnEveryPrefix(body);
        ExpectAgreementAtEverySplit(body);
    }
}

TEST(Chunked, ManySmallChunksInLargeFeeds)
{
    std::string body, expected;
    for (int i = 0; i < 20000; ++i) {
        std::string data(static_cast<std::size_t>(i % 17 + 1), static_cast<char>('a' + i % 26));
        char size[16];
        std::snprintf(size, sizeof size, "%zx\r\n", data.size());
        body += size + data + "\r\n";
        expected += data;
    }
    body += "0\r\n\r\n";
    CChunkDecoder decoder;
    int result = CChunkDecoder::kMore;
    for (std::size_t at = 0; at < body.size(); at += 10240)
        result = decoder.Feed(body.data() + at, std::min<std::size_t>(10240, body.size() - at));
    EXPECT_EQ(CChunkDecoder::kDone, result);
    EXPECT_EQ(expected, decoder.Output());
}

// Size lines are bounded, whether the bytes come whole or one at a time: a
// longer one, or a size read across more bytes, breaks the body.
TEST(Chunked, SizeLinesAreBounded)
{
    const std::size_t max = CChunkDecoder::kMaxSizeLine;
    const struct {
        const char* name;
        std::string body;
        int result;
    } cases[] = {
        {"AtTheBound", "1;" + std::string(max - 2, 'e'), CChunkDecoder::kMore},
        {"AtTheBoundWithItsEnd", "1;" + std::string(max - 2, 'e') + "\r\nz\r\n0\r\n", CChunkDecoder::kDone},
        {"BeyondTheBound", "1;" + std::string(max - 1, 'e'), CChunkDecoder::kBroken},
        {"BeyondTheBoundWithItsEnd", "1;" + std::string(max - 1, 'e') + "\r\nz\r\n0\r\n",
         CChunkDecoder::kBroken},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CChunkDecoder whole;
        EXPECT_EQ(c.result, whole.Feed(c.body.data(), c.body.size()));
        CChunkDecoder bytewise;
        int result = CChunkDecoder::kMore;
        for (char byte : c.body)
            result = bytewise.Feed(&byte, 1);
        EXPECT_EQ(c.result, result);
    }
    // Read across the line end only when the bytes come together (one at a
    // time the blank line ends the body).
    const std::string across = "\r\n" + std::string(max, ' ') + "1\r\nz\r\n0\r\n";
    CChunkDecoder decoder;
    EXPECT_EQ(CChunkDecoder::kBroken, decoder.Feed(across.data(), across.size()));
}

// A body bound passes the body that reaches it exactly, and breaks the one
// beyond it at the size line that announces the excess, before its data.
TEST(Chunked, LimitBreaksTheChunkThatWouldPassIt)
{
    const std::string body = "3\r\nabc\r\n4\r\ndefg\r\n0\r\n";
    for (std::uint64_t limit : {7u, 6u, 3u, 2u}) {
        SCOPED_TRACE(limit);
        CChunkDecoder decoder;
        decoder.SetLimit(limit);
        int result = decoder.Feed(body.data(), body.size());
        EXPECT_EQ(limit >= 7 ? CChunkDecoder::kDone : CChunkDecoder::kBroken, result);
        EXPECT_EQ(std::string("abcdefg").substr(0, limit >= 7 ? 7 : limit >= 3 ? 3 : 0), decoder.Output());
    }
}

// A feed that completes a staged size line and its whole chunk, and ends
// with the next line's CR, found by fuzzing.
TEST(Chunked, ALoneCrAfterAChunkTakenInTheSameFeedWaits)
{
    CChunkDecoder decoder;
    EXPECT_EQ(CChunkDecoder::kMore, decoder.Feed("1;x", 3));
    EXPECT_EQ(CChunkDecoder::kMore, decoder.Feed("\r\nhe\r", 5));
    EXPECT_EQ(CChunkDecoder::kDone, decoder.Feed("\n0\r\n", 4));
    EXPECT_EQ("h", decoder.Output());
}

TEST(Chunked, FeedAfterTheEndChangesNothing)
{
    CChunkDecoder decoder;
    EXPECT_EQ(0, decoder.Feed("1\r\na\r\n0\r\n", 10));
    EXPECT_EQ(0, decoder.Feed("5\r\nhello\r\n", 10));
    EXPECT_EQ("a", decoder.Output());
}

} // namespace
