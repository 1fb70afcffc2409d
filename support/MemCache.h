#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "support/Buffer.h"
#include "support/Clock.h"
#include "support/CriticalLock.h"
#include "support/Runnable.h"
#include "support/WorkerThread.h"

// Byte buffers by group key and item key, with a trimming thread of its own
// that drops buffers whenever the store holds more than its item limit.
// Until Start is called no thread exists and the store is never trimmed.
class CMemCache : public Runnable {
public:
    explicit CMemCache(TimeSource now = SystemTime);
    ~CMemCache() override;
    CMemCache(const CMemCache&) = delete;
    CMemCache& operator=(const CMemCache&) = delete;

    // Stores a copy of `bytes`, replacing the item's earlier buffer: 0, or
    // -1 when the buffer pool refuses the size (see CBufferPool::Take); the
    // store is then as it was.
    int Put(const std::string& group, const std::string& key, const std::string& bytes);
    // Copies the item's bytes out: 0, or -1 when there is no such item.
    int Get(const std::string& group, const std::string& key, std::string& bytes);
    // 0, or -1 when there is no such item. A group left empty is dropped.
    int Remove(const std::string& group, const std::string& key);
    // The number of items in the group, or -1 when there is no such group.
    int GroupSize(const std::string& group);

    // The number of items the store keeps when trimmed.
    void SetLimit(int items);
    // The rest between two trimming passes: 0, or -1 (unchanged) for a
    // value of 0 or less.
    int SetInterval(int milliseconds);
    // Trim only between 02:00 and 05:59 local time.
    void SetNightOnly(bool nightOnly);
    // Starts the trimming thread (once): 0 when it runs, -1 when no interval
    // was set or no thread could be started.
    int Start();

    // The item total that the last trimming pass found.
    int LastTotal();

    // The trimming loop: a pass after each interval, until destruction.
    int Run(CWorkerThread* thread, int param) override;

protected:
    // One trimming pass: false when the night-only rule skips it.
    bool TrimPass();

private:
    using Group = std::unordered_map<std::string, std::unique_ptr<CBuffer>>;

    bool WaitInterval();
    bool InNightHours() const;
    void RemoveExcess(std::int64_t excess);

    std::unordered_map<std::string, Group> m_store;  // under m_storeLock
    CCriticalLock m_storeLock;
    std::atomic<std::int32_t> m_limit;
    std::atomic<std::int32_t> m_interval;
    std::atomic<bool> m_nightOnly;
    CWorkerThread m_thread;
    std::atomic<bool> m_stop;
    std::int32_t m_total;                            // under m_storeLock
    TimeSource m_now;
    std::mutex m_wakeLock;                           // lets the destructor cut a rest short
    std::condition_variable m_wake;
};
