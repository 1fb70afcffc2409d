#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "feed/DanmuItem.h"
#include "feed/PollOutcome.h"
#include "support/CriticalLock.h"

// What the feed worker hands to the danmaku window: the latest non-empty list
// of items and the latest online count. The worker writes, the window reads.
class CDanmuList {
public:
    CDanmuList() = default;
    CDanmuList(const CDanmuList&) = delete;
    CDanmuList& operator=(const CDanmuList&) = delete;

    // Replaces the list with `items` unless it is empty; true when it did.
    // The caller tells the window afterwards, with the lock released.
    bool Publish(std::vector<DanmuItem> items);

    // A copy of the current list, for the window to build its rows from.
    std::vector<DanmuItem> Snapshot();

    void SetOnline(std::int32_t count) { m_online.store(count, std::memory_order_relaxed); }
    std::int32_t Online() const { return m_online.load(std::memory_order_relaxed); }

    // The outcome of the cycle that just ended (worker), and the latest one
    // (window). Under the same lock as the items.
    void Report(const PollOutcome& outcome);
    PollOutcome LastOutcome();

    // Refresh messages never pile up: the worker posts one only when this
    // returns true, that is when none is waiting. The window calls
    // RefreshTaken before it takes its snapshot, so a refresh that waits
    // always reads the newest list.
    bool ClaimRefresh() { return !m_refreshWaiting.exchange(true); }
    void RefreshTaken() { m_refreshWaiting.store(false); }

private:
    CCriticalLock m_itemsLock;
    std::vector<DanmuItem> m_items;
    PollOutcome m_outcome;
    std::atomic<std::int32_t> m_online{0};
    std::atomic<bool> m_refreshWaiting{false};
};
