// The feed's decoding of an online reply, over any body.
#include <cstdint>
#include <string>

#include "feed/FeedDecode.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    DecodeOnline(FUZZ_TEXT(data, size));
    return 0;
}
