#include "support/Clock.h"

std::time_t SystemTime()
{
    return std::time(nullptr);
}
