// Decoding cost of the replies one poll cycle receives.
#include <benchmark/benchmark.h>

#include "feed/FeedDecode.h"
#include "tools/ChatGenerator.h"
#include "tools/DemoReplies.h"

namespace {

std::string HistoryBody()
{
    CChatGenerator chat(2024);
    return HistoryReply(HistoryMode::Ok, chat.NextHistory(1000, 25));
}

void BM_DecodeHistory25(benchmark::State& state)
{
    const std::string body = HistoryBody();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeHistory(body));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(body.size()));
}
BENCHMARK(BM_DecodeHistory25);

void BM_DecodeOnline(benchmark::State& state)
{
    const std::string body = OnlineReply(OnlineMode::Ok, 1234, "1000");
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeOnline(body));
    }
}
BENCHMARK(BM_DecodeOnline);

// A hostile reply nested 100,000 deep must cost no more than reading it.
void BM_DecodeDeepHistory(benchmark::State& state)
{
    const std::string body = std::string(100000, '[') + std::string(100000, ']');
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeHistory(body));
    }
}
BENCHMARK(BM_DecodeDeepHistory);

} // namespace

BENCHMARK_MAIN();
