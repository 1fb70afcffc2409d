#pragma once

#include <cstddef>
#include <string>

// One heap byte block held by the memory cache. The block comes from the
// process's buffer pool and goes back to it when the buffer is destroyed.
class CBuffer {
public:
    // A copy of `bytes`; an empty text gives a buffer without a block. When
    // the pool refuses the size, the buffer holds nothing: see Stored.
    explicit CBuffer(const std::string& bytes);
    virtual ~CBuffer();
    CBuffer(const CBuffer&) = delete;
    CBuffer& operator=(const CBuffer&) = delete;

    const unsigned char* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }
    // False when the bytes could not be kept.
    bool Stored() const { return !m_refused; }

private:
    unsigned char* m_data;
    std::size_t m_size;
    bool m_refused;
};
