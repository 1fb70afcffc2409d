#pragma once

#include <atomic>
#include <ctime>

// The time the log and the cache see in tests: set by hand, never by the clock.
inline std::atomic<std::time_t> g_now{0};

inline std::time_t FakeNow()
{
    return g_now.load();
}
