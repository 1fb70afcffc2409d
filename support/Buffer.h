#pragma once

#include <string>

// One heap byte block held by the memory cache. The block comes from the
// process's buffer pool and goes back to it when the buffer is destroyed.
class CBuffer {
public:
    // A copy of `bytes`; an empty text gives a buffer without a block.
    explicit CBuffer(const std::string& bytes);
    virtual ~CBuffer();
    CBuffer(const CBuffer&) = delete;
    CBuffer& operator=(const CBuffer&) = delete;

    const unsigned char* Data() const { return m_data; }
    int Size() const { return m_size; }

private:
    unsigned char* m_data;
    int m_size;
};
