#pragma once

#include <cstddef>
#include <vector>

#include "feed/DanmuItem.h"

// Where the new items of a list start. Each history reply repeats the
// newest messages of the one before, so a list taken after `before` begins
// with the end of `before`: the longest end of `before` that `now` begins
// with is old, the rest new. Without any overlap all of `now` is new.
// At most one comparison per pair of items: both lists are bounded by the
// history bound.
std::size_t FirstNewItem(const std::vector<DanmuItem>& before, const std::vector<DanmuItem>& now);
