#include "http/Chunked.h"

#include <gtest/gtest.h>

namespace {

// Feeds body cut at the given offsets (ascending, the last its size): after
// every feed the decoder says what decoding everything so far from the start
// says, until it is over.
void ExpectAgreement(const std::string& body, const std::vector<std::size_t>& cuts)
{
    CChunkDecoder decoder;
    std::string decoded, whole;
    std::size_t at = 0;
    for (std::size_t cut : cuts) {
        int result = decoder.Feed(body.data() + at, cut - at);
        decoded += decoder.Output();
        decoder.Output().clear();
        at = cut;
        ASSERT_EQ(DecodeChunked(body.substr(0, cut), whole), result) << "after byte " << cut;
        if (result == CChunkDecoder::kDone) {
            EXPECT_EQ(whole, decoded);
        }
        if (result != CChunkDecoder::kMore)
            return;
    }
}

// One byte at a time, and in two feeds split at every offset.
void ExpectAgreementHoweverCut(const std::string& body)
{
    std::vector<std::size_t> everyByte;
    for (std::size_t i = 1; i <= body.size(); ++i)
        everyByte.push_back(i);
    ExpectAgreement(body, everyByte);
    for (std::size_t split = 0; split <= body.size(); ++split)
        ExpectAgreement(body, {split, body.size()});
}

TEST(Chunked, DecodesWholeAndAgreesHoweverCut)
{
    const struct { const char* name; std::string body; int result; std::string decoded; } cases[] = {
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
        {"WaitingForOneOfTheDataEnd", "5\r\nhello\r", -1, "hello"},
        {"WaitingForTheSizeLine", "5\r\nhello\r\n0", -1, "hello"},
        // strtol skips a CR LF before the digits, while the data start after
        // the first CR LF: the size is read across the line end.
        {"SizeReadAcrossTheLineEnd", "\r\n3\r\nxyz", -1, "3\r\n"},
        {"SizeStillGrowingAfterTheLineEnd", "\r\n" + std::string(12, ' ') + "5F\r\n" + std::string(79, 'y') + "zz0\r\n",
         0, std::string(12, ' ') + "5F\r\n" + std::string(79, 'y')},
        {"BlankSizeLineEnds", "\r\n", 0, ""},
        {"Negative", "-5\r\nhello\r\n0\r\n", -2, ""},
        {"NegativeAfterAChunk", "1\r\na\r\n-1\r\n", -2, "a"},
        {"BeyondInt", "80000000\r\n", -2, ""},
        {"FarBeyondLong", "FFFFFFFFFFFFFFFFFFFFFFFF\r\nx", -2, ""},
        {"LargestIntWaits", "7FFFFFFF\r\nx", -1, "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out = "stale";
        EXPECT_EQ(c.result, DecodeChunked(c.body, out));
        EXPECT_EQ(c.decoded, out);
        ExpectAgreementHoweverCut(c.body);
    }
}

// Feeds in the given pieces, or one byte at a time, with a body bound.
TEST(Chunked, BoundsAndFeedsAfterTheEnd)
{
    const std::size_t max = CChunkDecoder::kMaxSizeLine;
    const std::string body = "3\r\nabc\r\n4\r\ndefg\r\n0\r\n";
    const int kMore = CChunkDecoder::kMore, kDone = CChunkDecoder::kDone, kBroken = CChunkDecoder::kBroken;
    const struct { const char* name; std::vector<std::string> feeds; std::vector<int> results; std::string decoded;
                   bool alsoByteByByte = true; std::uint64_t limit = UINT64_MAX; } cases[] = {
        // Size lines are bounded, also when the size is read across the line
        // end (one byte at a time the blank line would end the body).
        {"SizeLineAtTheBound", {"1;" + std::string(max - 2, 'e')}, {kMore}, ""},
        {"SizeLineAtTheBoundEnds", {"1;" + std::string(max - 2, 'e') + "\r\nz\r\n0\r\n"}, {kDone}, "z"},
        {"SizeLineBeyondTheBound", {"1;" + std::string(max - 1, 'e') + "\r\nz\r\n0\r\n"}, {kBroken}, ""},
        {"SizeReadAcrossTooManyBytes", {"\r\n" + std::string(max, ' ') + "1\r\nz\r\n0\r\n"}, {kBroken}, "", false},
        // A bound passes the body that reaches it exactly and breaks the one
        // beyond at the size line that announces the excess.
        {"LimitReached", {body}, {kDone}, "abcdefg", true, 7},
        {"LimitPassedInTheSecondChunk", {body}, {kBroken}, "abc", true, 6},
        {"LimitPassedInTheFirstChunk", {body}, {kBroken}, "", true, 2},
        // Found by fuzzing: a staged size line completed with its whole chunk
        // and the next line's CR in one feed.
        {"LoneCrAfterAChunkWaits", {"1;x", "\r\nhe\r", "\n0\r\n"}, {kMore, kMore, kDone}, "h"},
        // A size line split before its end stages the data after it too; the
        // consumed part goes while the next size line is still read.
        {"LongStagedInputIsDropped", {"1000", "\r\n" + std::string(4096, 'x') + "\r\n\r\n5"}, {kMore, kMore},
         std::string(4096, 'x'), false},
        {"FeedAfterTheEndChangesNothing", {"1\r\na\r\n0\r\n", "5\r\nhello\r\n"}, {kDone, kDone}, "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CChunkDecoder pieces, bytes;
        pieces.SetLimit(c.limit);
        bytes.SetLimit(c.limit);
        int byteResult = kMore;
        for (std::size_t i = 0; i < c.feeds.size(); ++i) {
            EXPECT_EQ(c.results[i], pieces.Feed(c.feeds[i].data(), c.feeds[i].size())) << i;
            for (char byte : c.feeds[i])
                byteResult = bytes.Feed(&byte, 1);
        }
        EXPECT_EQ(c.decoded, pieces.Output());
        if (c.alsoByteByByte) {
            EXPECT_EQ(c.results.back(), byteResult);
            EXPECT_EQ(c.decoded, bytes.Output());
        }
    }
}

} // namespace
