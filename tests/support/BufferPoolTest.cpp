#include "support/BufferPool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(BufferPool, KeepsAtMost21FreeBlocksPerSizeAndFreesTheRest)
{
    CBufferPool pool;
    std::vector<unsigned char*> blocks;
    for (int i = 0; i < 25; ++i)
        blocks.push_back(pool.Take(8));
    unsigned char* other = pool.Take(16);
    for (unsigned char* block : blocks)
        pool.Give(block);
    pool.Give(other);

    EXPECT_EQ(21, pool.FreeCount(8));  // the other four went back to the heap
    EXPECT_EQ(1, pool.FreeCount(16));
}

TEST(BufferPool, ReusesAWaitingBlockOfTheSameSize)
{
    CBufferPool pool;
    unsigned char* first = pool.Take(32);
    pool.Give(first);
    EXPECT_EQ(nullptr, pool.Take(0));
    unsigned char* larger = pool.Take(64);
    unsigned char* again = pool.Take(32);
    EXPECT_NE(first, larger);
    EXPECT_EQ(first, again);
    EXPECT_EQ(0, pool.FreeCount(32));
    pool.Give(larger);
    pool.Give(again);
}

TEST(BufferPool, IgnoresAddressesItDidNotHandOut)
{
    CBufferPool pool;
    unsigned char onStack[8] = {};
    pool.Give(onStack);  // freeing this would be fatal
    pool.Give(nullptr);
    unsigned char* block = pool.Take(8);
    pool.Give(block);
    pool.Give(block);  // given back already: the address is no longer known

    EXPECT_EQ(1, pool.FreeCount(8));
    EXPECT_EQ(0, onStack[0]);
}

// Sizes beyond what an int holds used to be cut to their low bits: 2^32 + 5
// bytes became a 5-byte block that the copy then overran.
TEST(BufferPool, RefusesSizesItCannotServeAndKeepsNothingForThem)
{
    CBufferPool pool;
    const std::size_t sizes[] = {
        (std::size_t{1} << 32) + 5, std::size_t{1} << 31, std::size_t{3} << 30,
        CBufferPool::kMaxBlockSize + 1, SIZE_MAX,
    };
    for (std::size_t size : sizes) {
        EXPECT_EQ(nullptr, pool.Take(size)) << size;
        EXPECT_EQ(0, pool.FreeCount(size)) << size;
    }
    EXPECT_EQ(0u, pool.SizeCount());
    EXPECT_EQ(0, pool.FreeCount(5));
}

TEST(BufferPool, KeepsNoEntryForASizeWithoutWaitingBlocks)
{
    CBufferPool pool;
    std::vector<unsigned char*> blocks;
    for (std::size_t size = 1; size <= 100; ++size)
        blocks.push_back(pool.Take(size));
    EXPECT_EQ(0u, pool.SizeCount());
    for (unsigned char* block : blocks)
        pool.Give(block);
    EXPECT_EQ(100u, pool.SizeCount());
    for (std::size_t size = 1; size <= 100; ++size)
        blocks[size - 1] = pool.Take(size);
    EXPECT_EQ(0u, pool.SizeCount());
    for (unsigned char* block : blocks)
        pool.Give(block);
}

}  // namespace
