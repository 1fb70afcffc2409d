#include "feed/DanmuList.h"

bool CDanmuList::Publish(std::vector<DanmuItem> items)
{
    if (items.empty()) {
        return false;
    }
    {
        CCriticalGuard guard(&m_itemsLock);
        m_items.swap(items);
    }
    // `items` now holds the old list; it is freed here, outside the lock.
    return true;
}

void CDanmuList::Clear()
{
    std::vector<DanmuItem> old;
    {
        CCriticalGuard guard(&m_itemsLock);
        m_items.swap(old);
        m_outcome = PollOutcome();
    }
    m_online.store(0, std::memory_order_relaxed);
}

std::vector<DanmuItem> CDanmuList::Snapshot()
{
    CCriticalGuard guard(&m_itemsLock);
    return m_items;
}

void CDanmuList::Report(const PollOutcome& outcome)
{
    CCriticalGuard guard(&m_itemsLock);
    m_outcome = outcome;
}

PollOutcome CDanmuList::LastOutcome()
{
    CCriticalGuard guard(&m_itemsLock);
    return m_outcome;
}
