#include "feed/DanmuList.h"

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
    if (items.empty()) {
        return true;
    }
    const int id = items.front().level;
    if (items.size() != static_cast<size_t>(id % 7 + 1)) {
        return false;
    }
    for (const DanmuItem& item : items) {
        if (item.level != id || item.msg.size() != 4u + id % 3) {
            return false;
        }
    }
    return true;
}

TEST(DanmuListTest, StartsEmptyWithCountZero)
{
    CDanmuList list;
    EXPECT_TRUE(list.Snapshot().empty());
    EXPECT_EQ(list.Online(), 0);
}

TEST(DanmuListTest, EmptyListIsNeverPublished)
{
    CDanmuList list;
    ASSERT_TRUE(list.Publish(ListFor(3)));
    EXPECT_FALSE(list.Publish({}));
    EXPECT_EQ(list.Snapshot().size(), 4u);
}

TEST(DanmuListTest, PublishReplacesWholeAndSnapshotIsACopy)
{
    CDanmuList list;
    ASSERT_TRUE(list.Publish(ListFor(5)));
    std::vector<DanmuItem> copy = list.Snapshot();
    copy.clear();
    ASSERT_TRUE(list.Publish(ListFor(1)));
    const std::vector<DanmuItem> now = list.Snapshot();
    ASSERT_EQ(now.size(), 2u);
    EXPECT_EQ(now[0].level, 1);
    // Publishing the same list again gives the same snapshot.
    ASSERT_TRUE(list.Publish(ListFor(1)));
    EXPECT_EQ(list.Snapshot().size(), 2u);
}

TEST(DanmuListTest, OnlineCountKeepsLastStore)
{
    CDanmuList list;
    list.SetOnline(37);
    list.SetOnline(-2);
    EXPECT_EQ(list.Online(), -2);
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
