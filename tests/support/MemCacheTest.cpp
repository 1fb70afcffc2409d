// The cache and the pool its buffers come from.
#include "support/MemCache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

#include "support/BufferPool.h"
#include "tests/support/FakeClock.h"

namespace {

TEST(BufferPool, ReusesBlocksOfTheSameSizeAndKeepsAtMost21Waiting)
{
    CBufferPool pool;
    std::vector<unsigned char*> blocks(25);
    for (unsigned char*& block : blocks)
        block = pool.Take(8);
    unsigned char* other = pool.Take(16);
    for (unsigned char* block : blocks)
        pool.Give(block);
    pool.Give(other);
    EXPECT_EQ(21, pool.FreeCount(8));  // the other four went back to the heap
    EXPECT_EQ(2u, pool.SizeCount());

    EXPECT_EQ(other, pool.Take(16));
    EXPECT_EQ(1u, pool.SizeCount());  // no entry stays for a size without waiting blocks
    EXPECT_EQ(21, pool.FreeCount(8));
    pool.Give(other);
}

// Sizes beyond what an int holds used to be cut to their low bits: 2^32 + 5
// bytes became a 5-byte block that the copy then overran.
TEST(BufferPool, RefusesSizesItCannotServeAndIgnoresBlocksItDidNotHandOut)
{
    CBufferPool pool;
    for (std::size_t size : {std::size_t{0}, (std::size_t{1} << 32) + 5, std::size_t{3} << 30,
                             CBufferPool::kMaxBlockSize + 1, SIZE_MAX})
        EXPECT_EQ(nullptr, pool.Take(size)) << size;
    unsigned char onStack[8] = {};
    pool.Give(onStack);  // freeing this would be fatal
    pool.Give(nullptr);
    unsigned char* block = pool.Take(8);
    pool.Give(block);
    pool.Give(block);  // given back already: the address is no longer known
    EXPECT_EQ(1, pool.FreeCount(8));
    EXPECT_EQ(1u, pool.SizeCount());
}

// Lets a test run single trimming passes, without a thread.
class PassCache : public CMemCache {
public:
    PassCache() : CMemCache(FakeNow) {}
    using CMemCache::TrimPass;
};

void Fill(CMemCache& cache, const std::string& group, int items, int size)
{
    for (int i = 0; i < items; ++i)
        cache.Put(group, "k" + std::to_string(i), std::string(size, 'a' + i));
}

TEST(MemCache, PutReplacesGetCopiesAndRemoveDropsTheEmptyGroup)
{
    CMemCache cache;
    const std::string first(4201, 'f');  // sizes no other test uses
    const std::string second = std::string("sec\0nd", 6) + std::string(4196, 's');
    std::string bytes;
    EXPECT_EQ(-1, cache.Get("g", "k", bytes));
    cache.Put("g", "k", first);
    cache.Put("g", "k", second);
    cache.Put("g", "empty", "");
    const std::string tooLarge(CBufferPool::kMaxBlockSize + 1, 'x');
    EXPECT_EQ(-1, cache.Put("g", "k", tooLarge));
    EXPECT_EQ(-1, cache.Put("new", "k", tooLarge));
    ASSERT_EQ(0, cache.Get("g", "k", bytes));
    EXPECT_EQ(second, bytes);  // the refused put changed nothing
    ASSERT_EQ(0, cache.Get("g", "empty", bytes));
    EXPECT_EQ("", bytes);
    EXPECT_EQ(2, cache.GroupSize("g"));

    EXPECT_EQ(0, cache.Remove("g", "k"));
    EXPECT_EQ(-1, cache.Remove("g", "k"));
    EXPECT_EQ(0, cache.Remove("g", "empty"));
    EXPECT_EQ(-1, cache.GroupSize("g"));
    EXPECT_EQ(-1, cache.GroupSize("new"));
    EXPECT_EQ(-1, cache.Remove("nowhere", "k"));
    EXPECT_EQ(1, BufferPool().FreeCount(4201));  // the replaced block waits for reuse
    EXPECT_EQ(1, BufferPool().FreeCount(4202));  // and so does the removed one
}

TEST(MemCache, TrimRemovesTheExcessGroupByGroupAndDropsEmptiedGroups)
{
    PassCache cache;
    const std::vector<std::string> groups = {"a", "b", "c", "d", "e"};
    for (const std::string& group : groups)
        Fill(cache, group, 4, 4111);
    int freeBefore = BufferPool().FreeCount(4111);
    cache.SetLimit(10);
    ASSERT_TRUE(cache.TrimPass());

    EXPECT_EQ(20, cache.LastTotal());
    std::vector<int> sizes;
    for (const std::string& group : groups)
        sizes.push_back(cache.GroupSize(group));
    std::sort(sizes.begin(), sizes.end());
    // Two whole groups go first, then two items of a third; the rest stay.
    EXPECT_EQ((std::vector<int>{-1, -1, 2, 4, 4}), sizes);
    EXPECT_EQ(std::min(21, freeBefore + 10), BufferPool().FreeCount(4111));
    ASSERT_TRUE(cache.TrimPass());  // within the limit now: nothing goes
    EXPECT_EQ(10, cache.LastTotal());
}

// A local time on an ordinary day (no daylight-saving change).
std::time_t LocalTime(int hour, int minute, int second)
{
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mday = 15;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_sec = second;
    when.tm_isdst = -1;
    return std::mktime(&when);
}

TEST(MemCache, NightOnlyTrimsFromTwoToFiveFiftyNineOtherwiseAtAnyHour)
{
    const struct { bool nightOnly; int hour, minute, second; bool trims; } cases[] = {
        {true, 1, 59, 59, false}, {true, 2, 0, 0, true},   {true, 5, 59, 59, true},
        {true, 6, 0, 0, false},   {true, 13, 0, 0, false}, {false, 13, 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nightOnly << " " << c.hour << ":" << c.minute);
        PassCache cache;
        Fill(cache, "g", 2, 5);
        cache.SetLimit(1);
        cache.SetNightOnly(c.nightOnly);
        g_now = LocalTime(c.hour, c.minute, c.second);
        EXPECT_EQ(c.trims, cache.TrimPass());
        EXPECT_EQ(c.trims ? 1 : 2, cache.GroupSize("g"));
    }
}

// Other threads keep using the store while the trimming thread works on it:
// under ThreadSanitizer a missing lock shows up as a report.
TEST(MemCache, TrimmingThreadWorksBesideOthersAndStopsAtDestruction)
{
    CMemCache cache;
    EXPECT_EQ(-1, cache.Start());  // a loop without rest would never let go of the store
    EXPECT_EQ(-1, cache.SetInterval(0));
    cache.SetLimit(2);
    ASSERT_EQ(0, cache.SetInterval(1));
    ASSERT_EQ(0, cache.Start());
    Fill(cache, "g", 50, 5);
    while (cache.GroupSize("g") > 2)
        std::this_thread::yield();
    EXPECT_EQ(2, cache.GroupSize("g"));
}

}  // namespace
