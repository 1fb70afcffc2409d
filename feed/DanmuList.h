#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "feed/DanmuItem.h"
#include "support/CriticalLock.h"

// Posted to the danmaku window when a new list waits (wParam 0, lParam 0).
constexpr unsigned int WM_DANMU_REFRESH = 2024;

// What the feed worker hands to the danmaku window: the latest non-empty list
// of items and the latest online count. The worker writes, the window reads.
class CDanmuList {
public:
    CDanmuList() = default;
    CDanmuList(const CDanmuList&) = delete;
    CDanmuList& operator=(const CDanmuList&) = delete;

    // Replaces the list with `items` unless it is empty; true when it did.
    // The caller posts WM_DANMU_REFRESH afterwards, with the lock released.
    bool Publish(std::vector<DanmuItem> items);

    // A copy of the current list, for the window to build its rows from.
    std::vector<DanmuItem> Snapshot();

    void SetOnline(std::int32_t count) { m_online.store(count, std::memory_order_relaxed); }
    std::int32_t Online() const { return m_online.load(std::memory_order_relaxed); }

private:
    CCriticalLock m_itemsLock;
    std::vector<DanmuItem> m_items;
    std::atomic<std::int32_t> m_online{0};
};
