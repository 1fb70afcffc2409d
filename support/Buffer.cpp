#include "support/Buffer.h"

#include <cstring>

#include "support/BufferPool.h"

CBuffer::CBuffer(const std::string& bytes)
    : m_data(BufferPool().Take(static_cast<int>(bytes.size()))), m_size(static_cast<int>(bytes.size()))
{
    if (m_data != nullptr)
        std::memcpy(m_data, bytes.data(), bytes.size());
}

CBuffer::~CBuffer()
{
    if (m_data != nullptr)
        BufferPool().Give(m_data);
}
