#pragma once

#include <ctime>

// Where the log and the memory cache read the time of day, in seconds. The
// program uses the system clock; tests hand in a clock they control.
using TimeSource = std::time_t (*)();

std::time_t SystemTime();
// Seconds that only ever go forward, whatever the time of day is set to.
std::time_t SteadySeconds();
