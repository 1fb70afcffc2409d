#include "support/BufferPool.h"

#include <new>

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

unsigned char* CBufferPool::Take(std::size_t size)
{
    if (size == 0 || size > kMaxBlockSize)
        return nullptr;
    CCriticalGuard guard(&m_lock);
    unsigned char* block = TakeWaiting(size);
    if (block == nullptr)
        block = new (std::nothrow) unsigned char[size];
    if (block != nullptr)
        m_handedOut[block] = size;
    return block;
}

// A waiting block of the size, or nullptr; a size left without waiting
// blocks loses its entry.
unsigned char* CBufferPool::TakeWaiting(std::size_t size)
{
    auto found = m_free.find(size);
    if (found == m_free.end())
        return nullptr;
    unsigned char* block = found->second.back();
    found->second.pop_back();
    if (found->second.empty())
        m_free.erase(found);
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

int CBufferPool::FreeCount(std::size_t size)
{
    CCriticalGuard guard(&m_lock);
    auto found = m_free.find(size);
    return found == m_free.end() ? 0 : static_cast<int>(found->second.size());
}

std::size_t CBufferPool::SizeCount()
{
    CCriticalGuard guard(&m_lock);
    return m_free.size();
}

CBufferPool& BufferPool()
{
    static CBufferPool* pool = new CBufferPool;
    return *pool;
}
