// The danmaku window's rebuild, offscreen:
//   refresh_list_bench                 median time of RefreshList with 25 items
//   (counters) rss_growth_kb           resident memory gained over 10,000 rebuilds
//              heap_growth_kb          heap in use gained over them (mallinfo2)
// Targets: median 5 ms or less; no growth beyond allocator noise. Run it
// with --benchmark_repetitions=N to see whether growth levels off.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <malloc.h>
#include <malloc.h>
#include <unistd.h>

#include "app/MainFrame.h"
#include "app/WndDanmu.h"
#include "ui/Simulate.h"

using namespace DuiLib;

namespace {

// Its worker does not poll: the benchmark publishes the items itself.
class BenchDanmu : public CWndDanmu {
public:
    ~BenchDanmu() override { m_worker.Stop(m_stop); }
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

void SetUpWindow()
{
    CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    std::string dir = ORVEL_APP_DIR "/skin";
    CPaintManagerUI::SetResourcePath(CDuiString(std::u16string(dir.begin(), dir.end())));
    CPaintManagerUI::SetResourceZip(u"skin.zip", true);
    new CMainFrame;
    g_danmu = new BenchDanmu;
    g_danmu->Create(nullptr, u"Orvel直播弹幕助手", ORVEL_WNDSTYLE, 0, 0, 0, 300, 250, nullptr);
    g_danmu->ShowWindow(true, true);
    std::vector<DanmuItem> items;
    for (int i = 0; i < 25; ++i) {
        DanmuItem item;
        item.nick = i % 2 ? u"风吹麦浪:" : u"Lucky_Cat:";
        item.msg = i % 3 ? u"这波操作太秀了，主播晚上好 666" : u"送出了[火箭]";
        item.level = 1 + i % 20;
        items.push_back(item);
    }
    g_danmu->m_items.SetOnline(1234);
    g_danmu->m_items.Publish(items);
    simulate::ProcessPending();
}

void BM_RefreshList25(benchmark::State& state)
{
    for (auto _ : state)
        g_danmu->RefreshList();
}
BENCHMARK(BM_RefreshList25)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The rebuild and what the event loop then does with it: layout and paint.
void BM_RefreshList25AndPaint(benchmark::State& state)
{
    for (auto _ : state) {
        g_danmu->RefreshList();
        simulate::ProcessPending();
    }
}
BENCHMARK(BM_RefreshList25AndPaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MemoryOver10000Rebuilds(benchmark::State& state)
{
    for (int i = 0; i < 1000; ++i) // warm the caches and the allocator
        g_danmu->RefreshList();
    simulate::ProcessPending();
    long before = ResidentKb();
    std::size_t heapBefore = mallinfo2().uordblks;
    for (auto _ : state) {
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
