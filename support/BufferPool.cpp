#include "support/BufferPool.h"

namespace {

// A size keeps at most this many blocks waiting; the rest go back to the heap.
constexpr std::size_t kMaxFreePerSize = 21;

}  // namespace

CBufferPool::~CBufferPool()
{
    for (auto& sizeAndBlocks : m_free) {
        for (unsigned char* block : sizeAndBlocks.second)
            delete[] block;
    }
}

unsigned char* CBufferPool::Take(int size)
{
    if (size <= 0)
        return nullptr;
    CCriticalGuard guard(&m_lock);
    std::vector<unsigned char*>& waiting = m_free[size];
    unsigned char* block = nullptr;
    if (waiting.empty()) {
        block = new unsigned char[size];
    } else {
        block = waiting.back();
        waiting.pop_back();
    }
    m_handedOut[block] = size;
    return block;
}

void CBufferPool::Give(unsigned char* block)
{
    CCriticalGuard guard(&m_lock);
    auto found = m_handedOut.find(block);
    if (found == m_handedOut.end())
        return;
    std::vector<unsigned char*>& waiting = m_free[found->second];
    if (waiting.size() < kMaxFreePerSize)
        waiting.push_back(block);
    else
        delete[] block;
    m_handedOut.erase(found);
}

int CBufferPool::FreeCount(int size)
{
    CCriticalGuard guard(&m_lock);
    auto found = m_free.find(size);
    return found == m_free.end() ? 0 : static_cast<int>(found->second.size());
}

CBufferPool& BufferPool()
{
    static CBufferPool* pool = new CBufferPool;
    return *pool;
}
