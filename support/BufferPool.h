#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "support/CriticalLock.h"

// Heap blocks sorted by size, so that a buffer dropped by the cache can be
// reused for the next buffer of the same size instead of being allocated
// again. Safe to use from any thread.
class CBufferPool {
public:
    // The largest block handed out: the cache holds small things, and a
    // larger request is a mistake better refused than served.
    static constexpr std::size_t kMaxBlockSize = 64 << 20;

    CBufferPool() = default;
    // Frees the waiting blocks; blocks handed out belong to their holders.
    ~CBufferPool();
    CBufferPool(const CBufferPool&) = delete;
    CBufferPool& operator=(const CBufferPool&) = delete;

    // A block of `size` bytes, a waiting one when there is one; nullptr for a
    // size of 0, one above kMaxBlockSize, or one the heap cannot give.
    unsigned char* Take(std::size_t size);

    // Takes back a block that Take handed out: it waits for reuse while fewer
    // than 21 blocks of its size wait, otherwise it is freed. Any other
    // address (foreign, null, or given back already) is ignored.
    void Give(unsigned char* block);

    // How many blocks of `size` bytes wait for reuse.
    int FreeCount(std::size_t size);
    // How many sizes have blocks waiting.
    std::size_t SizeCount();

private:
    unsigned char* TakeWaiting(std::size_t size);

    CCriticalLock m_lock;
    std::unordered_map<unsigned char*, std::size_t> m_handedOut;          // block -> size
    std::unordered_map<std::size_t, std::vector<unsigned char*>> m_free;  // size -> blocks, never empty
};

// The process's pool. Created on first use and never destroyed, so buffers
// that are destroyed during static destruction still have a pool to return to.
CBufferPool& BufferPool();
