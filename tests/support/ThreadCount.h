#pragma once

#include <cstddef>
#include <filesystem>
#include <iterator>

// Threads of this process as the kernel lists them. A thread that was just
// joined may still be listed for a moment, so compare with "not more than".
inline std::size_t ThreadCount()
{
    using std::filesystem::directory_iterator;
    return static_cast<std::size_t>(std::distance(directory_iterator("/proc/self/task"), directory_iterator()));
}
