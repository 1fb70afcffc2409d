#include "feed/NewItems.h"

#include <algorithm>

std::vector<DanmuItem> NewItems(const std::vector<DanmuItem>& before, const std::vector<DanmuItem>& after)
{
    // Both lists are bounded by the history reply (kMaxHistoryItems), so
    // trying every overlap, longest first, stays cheap.
    std::size_t seen = std::min(before.size(), after.size());
    for (; seen > 0; --seen) {
        if (std::equal(after.begin(), after.begin() + seen, before.end() - seen))
            break;
    }
    return {after.begin() + seen, after.end()};
}
