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
