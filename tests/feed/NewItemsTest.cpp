#include "feed/NewItems.h"

#include <gtest/gtest.h>

namespace {

// Items named by letters: "abc" is three items a, b, c.
std::vector<DanmuItem> Items(const std::string& names)
{
    std::vector<DanmuItem> items;
    for (char name : names)
        items.push_back(DanmuItem{u"n:", std::u16string(1, name), 1});
    return items;
}

TEST(NewItemsTest, GivesWhatFollowsTheRepeatedRows)
{
    struct {
        const char* before;
        const char* after;
        const char* fresh;
    } const cases[] = {
        {"", "ab", "ab"},       // the first snapshot
        {"abcd", "cdef", "ef"}, // the usual cycle
        {"abc", "abc", ""},     // nothing new
        {"abc", "xyz", "xyz"},  // more new rows than a reply holds
        {"axx", "xxx", "x"},    // repeated rows count once each
        {"abab", "abab", ""},   // the longest overlap wins
        {"abc", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NewItems(Items(c.before), Items(c.after)), Items(c.fresh)) << c.before << " -> " << c.after;
}

} // namespace
