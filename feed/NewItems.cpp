#include "feed/NewItems.h"

#include <algorithm>

namespace {

// Whether the last `n` items of `before` are the first `n` of `now`.
bool Overlaps(const std::vector<DanmuItem>& before, const std::vector<DanmuItem>& now, std::size_t n)
{
    return std::equal(before.end() - static_cast<std::ptrdiff_t>(n), before.end(), now.begin());
}

} // namespace

std::size_t FirstNewItem(const std::vector<DanmuItem>& before, const std::vector<DanmuItem>& now)
{
    for (std::size_t n = std::min(before.size(), now.size()); n > 0; --n) {
        if (Overlaps(before, now, n))
            return n;
    }
    return 0;
}
