#pragma once

#include <algorithm>
#include <chrono>

// Budgets run on a monotonic wall clock: a waiting thread uses no CPU time,
// so CPU clocks would never let a budget run out.
inline long long NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

inline long long ElapsedMs(long long startMs)
{
    return NowMs() - startMs;
}

// True when a positive budget counted from startMs has been used up.
inline bool BudgetSpent(long long startMs, int budgetMs)
{
    return budgetMs > 0 && ElapsedMs(startMs) >= budgetMs;
}

// How long one wait on a socket that would block may last: 10 ms at most,
// less when the budget ends sooner.
inline int WaitSliceMs(long long startMs, int budgetMs)
{
    constexpr long long kSlice = 10;
    if (budgetMs <= 0)
        return static_cast<int>(kSlice);
    return static_cast<int>(std::clamp(budgetMs - ElapsedMs(startMs), 0LL, kSlice));
}
