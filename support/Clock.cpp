#include "support/Clock.h"

#include <chrono>

std::time_t SystemTime()
{
    return std::time(nullptr);
}

std::time_t SteadySeconds()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::time_t>(std::chrono::duration_cast<std::chrono::seconds>(since).count());
}
