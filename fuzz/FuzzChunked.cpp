// DecodeChunked over any body, and the incremental decoder fed the same bytes
// in pieces (of at most as many bytes as the first input byte says): after
// every piece it must say what decoding everything so far from the start
// says, and once it has said "done" or "broken" it must keep saying so.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "http/Chunked.h"

namespace {

void CheckInPieces(const std::string& body, unsigned maxPiece)
{
    CChunkDecoder decoder;
    std::string decoded;
    int result = CChunkDecoder::kMore;
    std::uint32_t state = maxPiece;
    for (std::size_t at = 0; at < body.size();) {
        state = state * 1103515245u + 12345u;
        const std::size_t length = std::min<std::size_t>(1 + (state >> 16) % maxPiece, body.size() - at);
        const int previous = result;
        result = decoder.Feed(body.data() + at, length);
        at += length;
        decoded += decoder.Output();
        decoder.Output().clear();
        if (previous != CChunkDecoder::kMore) {
            FUZZ_CHECK(result == previous && decoder.Output().empty());
            continue;
        }
        std::string expected;
        FUZZ_CHECK(result == DecodeChunked(body.substr(0, at), expected));
        FUZZ_CHECK(result != CChunkDecoder::kDone || decoded == expected);
        FUZZ_CHECK(expected.compare(0, decoded.size(), decoded) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::string body = FUZZ_TEXT(data + 1, size - 1);
    std::string out;
    const int result = DecodeChunked(body, out);
    FUZZ_CHECK(result == 0 || result == -1 || result == -2);
    FUZZ_CHECK(out.size() <= body.size());
    CheckInPieces(body, data[0] == 0 ? 1 : data[0]);
    return 0;
}
