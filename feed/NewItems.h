#pragma once

#include <vector>

#include "feed/DanmuItem.h"

// The items of `after` that `before` did not already hold. Each history
// reply repeats the newest rows of the one before: the longest run at the end
// of `before` that starts `after` is the part already seen, and what follows
// it is new. Lists that share no such run are all new. Whoever shows or
// sends rows once (the overlay, a chat log) keeps the previous snapshot and
// asks this of each new one.
std::vector<DanmuItem> NewItems(const std::vector<DanmuItem>& before, const std::vector<DanmuItem>& after);
