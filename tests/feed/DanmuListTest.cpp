#include "feed/DanmuList.h"
#include "feed/NewItems.h"

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A list whose items all carry `id` as level; its length also follows `id`,
// so a reader can tell a whole list from a torn one.
std::vector<DanmuItem> ListFor(int id)
{
    return std::vector<DanmuItem>(id % 7 + 1, DanmuItem{u"nick:", u"msg " + std::u16string(id % 3, u'x'), id});
}

bool IsWhole(const std::vector<DanmuItem>& items)
{
    return items.empty() || items == ListFor(items.front().level);
}

// Writer and reader on two threads, as worker and window. Run it under
// ThreadSanitizer: a missing lock shows up as a report, a torn copy here.
TEST(DanmuListTest, PublishAgainstSnapshotOnTwoThreads)
{
    CDanmuList list;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int id = 1; id <= 20000; ++id) {
            list.Publish(ListFor(id));
            list.SetOnline(id);
        }
        done = true;
    });
    int torn = 0;
    int lastOnline = 0;
    bool countWentBack = false;
    while (!done) {
        torn += IsWhole(list.Snapshot()) ? 0 : 1;
        const int online = list.Online();
        countWentBack |= online < lastOnline;
        lastOnline = online;
    }
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_FALSE(countWentBack);
    EXPECT_EQ(list.Snapshot().front().level, 20000);
}

} // namespace

// A history reply repeats the end of the one before: only what follows the
// longest such overlap is new.
TEST(NewItemsTest, TheItemsAfterTheLongestOverlapAreNew)
{
    auto list = [](std::u16string letters) {
        std::vector<DanmuItem> items;
        for (char16_t c : letters)
            items.push_back(DanmuItem{u"n:", std::u16string(1, c), 1, false});
        return items;
    };
    const struct { const char16_t* before; const char16_t* now; std::size_t first; } rows[] = {
        {u"", u"ab", 0}, {u"abc", u"abc", 3}, {u"abcde", u"cdefg", 3}, {u"abc", u"xyz", 0},
        {u"aaa", u"aaaa", 3}, {u"abab", u"abx", 2}, {u"abc", u"", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FirstNewItem(list(row.before), list(row.now)), row.first) << &row - rows;
}
