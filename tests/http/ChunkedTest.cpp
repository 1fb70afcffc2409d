#include "http/Chunked.h"

#include <gtest/gtest.h>

namespace {

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
    {"WaitingForData", "5\r\nhel", -1, ""},
    {"WaitingForTheDataEnd", "5\r\nhello", -1, ""},
    {"WaitingForTheSizeLine", "5\r\nhello\r\n0", -1, "hello"},
    {"Empty", "", -1, ""},
    // strtol skips a CR LF before the digits, while the data start after the
    // first CR LF: the size is read across the line end.
    {"SizeReadAcrossTheLineEnd", "\r\n3\r\nxyz", -1, "3\r\n"},
    {"BlankSizeLineEnds", "\r\n", 0, ""},
    {"Negative", "-5\r\nhello\r\n0\r\n", -2, ""},
    {"NegativeAfterAChunk", "1\r\na\r\n-1\r\n", -2, "a"},
    {"BeyondInt", "80000000\r\n", -2, ""},
    {"FarBeyondLong", "FFFFFFFFFFFFFFFFFFFFFFFF\r\nx", -2, ""},
    {"LargestIntWaits", "7FFFFFFF\r\nx", -1, ""},
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

// Fed one byte at a time, the decoder must agree after every byte with a
// decode of everything received so far, until it is over.
TEST_P(ChunkTable, OneByteAtATimeAgreesWithEveryPrefix)
{
    const std::string& body = GetParam().body;
    CChunkDecoder decoder;
    std::string decoded;
    for (std::size_t i = 0; i < body.size(); ++i) {
        int result = decoder.Feed(&body[i], 1);
        decoded += decoder.Output();
        decoder.Output().clear();
        std::string whole;
        int wholeResult = DecodeChunked(body.substr(0, i + 1), whole);
        ASSERT_EQ(wholeResult, result) << "after byte " << i;
        EXPECT_EQ(whole, decoded) << "after byte " << i;
        if (result != CChunkDecoder::kMore)
            break;
    }
    if (GetParam().result == 0) {
        EXPECT_EQ(GetParam().decoded, decoded);
    }
}

INSTANTIATE_TEST_SUITE_P(Chunked, ChunkTable, testing::ValuesIn(kChunkCases));

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

TEST(Chunked, FeedAfterTheEndChangesNothing)
{
    CChunkDecoder decoder;
    EXPECT_EQ(0, decoder.Feed("1\r\na\r\n0\r\n", 10));
    EXPECT_EQ(0, decoder.Feed("5\r\nhello\r\n", 10));
    EXPECT_EQ("a", decoder.Output());
}

} // namespace
