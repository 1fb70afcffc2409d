#pragma once

#include <cstddef>
#include <filesystem>

// Threads of this process as the kernel lists them. A thread that was just
// joined may still be listed for a moment, so compare with "not more than".
inline std::size_t ThreadCount()
{
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        (void)entry;
        ++count;
    }
    return count;
}
