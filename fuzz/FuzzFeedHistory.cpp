// The feed's decoding of a history reply, and of one message document, over
// any body.
#include <cstdint>
#include <string>

#include "feed/FeedDecode.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string body = FUZZ_TEXT(data, size);
    const std::vector<DanmuItem> items = DecodeHistory(body);
    FUZZ_CHECK(items.size() <= body.size());
    for (const DanmuItem& item : items)
        FUZZ_CHECK(item.nick.empty() || item.nick.back() == u':');
    DecodeMessage(body);
    return 0;
}
