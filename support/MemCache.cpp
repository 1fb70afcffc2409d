#include "support/MemCache.h"

#include <chrono>

CMemCache::CMemCache(TimeSource now)
    : m_limit(0), m_interval(0), m_nightOnly(false), m_stop(false), m_total(0), m_now(now)
{
}

CMemCache::~CMemCache()
{
    {
        std::lock_guard<std::mutex> wake(m_wakeLock);
        m_stop.store(true);
    }
    m_wake.notify_all();
    m_thread.Stop(m_stop);
}

int CMemCache::Put(const std::string& group, const std::string& key, const std::string& bytes)
{
    auto buffer = std::make_unique<CBuffer>(bytes);
    if (!buffer->Stored())
        return -1;
    CCriticalGuard guard(&m_storeLock);
    m_store[group][key] = std::move(buffer);
    return 0;
}

int CMemCache::Get(const std::string& group, const std::string& key, std::string& bytes)
{
    CCriticalGuard guard(&m_storeLock);
    auto g = m_store.find(group);
    if (g == m_store.end())
        return -1;
    auto item = g->second.find(key);
    if (item == g->second.end())
        return -1;
    const CBuffer& buffer = *item->second;
    bytes.assign(reinterpret_cast<const char*>(buffer.Data()), buffer.Size());
    return 0;
}

int CMemCache::Remove(const std::string& group, const std::string& key)
{
    CCriticalGuard guard(&m_storeLock);
    auto g = m_store.find(group);
    if (g == m_store.end() || g->second.erase(key) == 0)
        return -1;
    if (g->second.empty())
        m_store.erase(g);
    return 0;
}

int CMemCache::GroupSize(const std::string& group)
{
    CCriticalGuard guard(&m_storeLock);
    auto g = m_store.find(group);
    return g == m_store.end() ? -1 : static_cast<int>(g->second.size());
}

void CMemCache::SetLimit(int items)
{
    m_limit.store(items);
}

int CMemCache::SetInterval(int milliseconds)
{
    if (milliseconds <= 0)
        return -1;
    m_interval.store(milliseconds);
    return 0;
}

void CMemCache::SetNightOnly(bool nightOnly)
{
    m_nightOnly.store(nightOnly);
}

int CMemCache::Start()
{
    // Without a rest the loop would hold the store's lock almost all the time.
    if (m_interval.load() <= 0)
        return -1;
    m_thread.Start(this);
    return m_thread.Started() ? 0 : -1;
}

int CMemCache::LastTotal()
{
    CCriticalGuard guard(&m_storeLock);
    return m_total;
}

int CMemCache::Run(CWorkerThread*, int)
{
    while (WaitInterval())
        TrimPass();
    return 0;
}

bool CMemCache::TrimPass()
{
    if (m_nightOnly.load() && !InNightHours())
        return false;
    CCriticalGuard guard(&m_storeLock);
    std::int64_t total = 0;
    for (const auto& group : m_store)
        total += static_cast<std::int64_t>(group.second.size());
    m_total = static_cast<std::int32_t>(total);
    RemoveExcess(total - m_limit.load());
    return true;
}

// False once the destructor asks the loop to end.
bool CMemCache::WaitInterval()
{
    std::unique_lock<std::mutex> wake(m_wakeLock);
    std::chrono::milliseconds rest(m_interval.load());
    return !m_wake.wait_for(wake, rest, [this] { return m_stop.load(); });
}

bool CMemCache::InNightHours() const
{
    std::time_t now = m_now();
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_hour >= 2 && local.tm_hour <= 5;
}

// Drops items in the store's order, group by group; a group that loses its
// last item goes too. The buffers return their blocks to the pool.
void CMemCache::RemoveExcess(std::int64_t excess)
{
    for (auto g = m_store.begin(); g != m_store.end() && excess > 0;) {
        Group& items = g->second;
        for (auto item = items.begin(); item != items.end() && excess > 0; --excess)
            item = items.erase(item);
        g = items.empty() ? m_store.erase(g) : std::next(g);
    }
}
