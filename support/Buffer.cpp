#include "support/Buffer.h"

#include <cstring>

#include "support/BufferPool.h"

CBuffer::CBuffer(const std::string& bytes)
    : m_data(BufferPool().Take(bytes.size())),
      m_size(m_data != nullptr ? bytes.size() : 0),
      m_refused(m_data == nullptr && !bytes.empty())
{
    if (m_data != nullptr)
        std::memcpy(m_data, bytes.data(), m_size);
}

CBuffer::~CBuffer()
{
    if (m_data != nullptr)
        BufferPool().Give(m_data);
}
