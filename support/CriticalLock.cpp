#include "support/CriticalLock.h"

CCriticalLock::CCriticalLock() : m_ready(true) {}

CCriticalLock::~CCriticalLock()
{
    m_ready.store(false);
}

void CCriticalLock::Enter()
{
    if (m_ready.load())
        m_section.lock();
}

void CCriticalLock::Leave()
{
    if (m_ready.load())
        m_section.unlock();
}
