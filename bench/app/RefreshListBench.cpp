// The danmaku window's refresh, offscreen:
//   BM_Refresh/25/3        25 rows of which 3 are new, as in the usual cycle
//                          (target: median 0.3 ms or less)
//   BM_Refresh/200/3       200 rows, the most one reply can give (target 2 ms)
//   BM_Refresh/25/25       every row new: what every cycle cost when the
//                          list was rebuilt whole (0.86 ms before rows were kept)
//   ...AndPaint            the same with the layout and paint that follow
//   BM_HugeMessage...      a row whose text is as long as the decoder lets
//                          through, and one of 50 MB handed in directly
//   (counters) rss_growth_kb   resident memory gained over 10,000 refreshes
//              heap_growth_kb  heap in use gained over them (mallinfo2)
// Run it with --benchmark_repetitions=N to see whether growth levels off.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <malloc.h>
#include <unistd.h>

#include "app/windows/MainFrame.h"
#include "app/windows/WndDanmu.h"
#include "tests/common/TestSkin.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

// Its worker does not poll: the benchmark publishes the items itself.
class BenchDanmu : public CWndDanmu {
public:
    using CWndDanmu::CWndDanmu;
    ~BenchDanmu() override { StopPolling(); }
    int Run(CWorkerThread*, int) override { return 0; }
};

BenchDanmu* g_danmu = nullptr;

long ResidentKb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

DanmuItem Numbered(int i)
{
    DanmuItem item;
    item.nick = i % 2 ? u"风吹麦浪:" : u"Lucky_Cat:";
    std::string n = std::to_string(i);
    item.msg = (i % 3 ? u"这波操作太秀了，主播晚上好 666 #" : u"送出了[火箭] #") + std::u16string(n.begin(), n.end());
    item.level = 1 + i % 20;
    return item;
}

// Publishes `count` items, the newest `fresh` of them not shown before, and
// returns the first one.
int g_next = 0;
void PublishWindow(int count, int fresh)
{
    g_next += fresh;
    std::vector<DanmuItem> items;
    for (int i = g_next; i < g_next + count; ++i)
        items.push_back(Numbered(i));
    g_danmu->Items().Publish(std::move(items));
}

void SetUpWindow()
{
    UseProgramSkin();
    static RunState run; // the windows live to the end of the benchmark
    new CMainFrame(run);
    g_danmu = new BenchDanmu(run);
    g_danmu->CreateFrame();
    g_danmu->ShowWindow(true, true);
    g_danmu->Items().SetOnline(1234);
    PublishWindow(25, 0);
    simulate::ProcessPending();
}

// args: rows, new rows per refresh, whether layout and paint are included.
void BM_Refresh(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const int fresh = static_cast<int>(state.range(1));
    PublishWindow(rows, rows);
    g_danmu->RefreshList();
    simulate::ProcessPending();
    for (auto _ : state) {
        state.PauseTiming();
        PublishWindow(rows, fresh);
        state.ResumeTiming();
        g_danmu->RefreshList();
        if (state.range(2))
            simulate::ProcessPending();
    }
}
BENCHMARK(BM_Refresh)
    ->ArgNames({"rows", "new", "paint"})
    ->Args({25, 3, 0})->Args({200, 3, 0})->Args({25, 25, 0})
    ->Args({25, 3, 1})->Args({200, 3, 1})->Args({25, 25, 1})
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One row with a long text among 24 short ones, refreshed with one new row
// each time, layout and paint included. args: text length in UTF-16 units.
void BM_HugeMessage(benchmark::State& state)
{
    DanmuItem huge = Numbered(-1);
    huge.msg.assign(static_cast<size_t>(state.range(0)), u'刷');
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<DanmuItem> items;
        for (int i = g_next; i < g_next + 24; ++i)
            items.push_back(Numbered(i));
        items.push_back(huge);
        ++g_next;
        g_danmu->Items().Publish(std::move(items));
        state.ResumeTiming();
        g_danmu->RefreshList();
        simulate::ProcessPending();
    }
}
BENCHMARK(BM_HugeMessage)->Arg(500)->Arg(25 << 20)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);

// Each refresh with 3 new rows of 25.
void BM_MemoryOver10000Rebuilds(benchmark::State& state)
{
    PublishWindow(25, 25);
    for (int i = 0; i < 1000; ++i) { // warm the caches and the allocator
        PublishWindow(25, 3);
        g_danmu->RefreshList();
    }
    simulate::ProcessPending();
    long before = ResidentKb();
    std::size_t heapBefore = mallinfo2().uordblks;
    for (auto _ : state) {
        PublishWindow(25, 3);
        g_danmu->RefreshList();
        if (state.iterations() % 100 == 0)
            simulate::ProcessPending();
    }
    simulate::ProcessPending();
    state.counters["rss_before_kb"] = static_cast<double>(before);
    state.counters["rss_growth_kb"] = static_cast<double>(ResidentKb() - before);
    state.counters["heap_growth_kb"] = (static_cast<double>(mallinfo2().uordblks) - heapBefore) / 1024;
    state.counters["heap_in_use_kb"] = static_cast<double>(mallinfo2().uordblks / 1024);
}
BENCHMARK(BM_MemoryOver10000Rebuilds)->Iterations(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    SetUpWindow();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
