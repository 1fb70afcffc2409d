#include "support/WorkerThread.h"

#include <gtest/gtest.h>

#include "support/CriticalLock.h"

namespace {

// Loops until its stop flag is set and counts its finished runs; one that
// stops itself does so at once, while the owner may still be in Start.
class Worker : public Runnable {
public:
    explicit Worker(bool stopsItself = false) : m_stopsItself(stopsItself) {}
    int Run(CWorkerThread* record, int) override
    {
        seenRecord.store(record);
        if (m_stopsItself) {
            record->Stop(stop);
            stillStarted.store(record->Started());
        }
        while (!stop.load(std::memory_order_relaxed))
            std::this_thread::yield();
        runs.fetch_add(1);
        return 0;
    }
    CWorkerThread thread;
    std::atomic<bool> stop{false};
    std::atomic<int> runs{0};
    std::atomic<CWorkerThread*> seenRecord{nullptr};
    std::atomic<bool> stillStarted{false};

private:
    const bool m_stopsItself;
};

TEST(WorkerThread, RunsOnceWithItsRecordAndStopJoins)
{
    Worker worker;
    worker.thread.Start(&worker);
    std::thread::id first = worker.thread.m_handle.get_id();
    worker.thread.Start(&worker);  // a second start creates nothing
    EXPECT_EQ(first, worker.thread.m_handle.get_id());

    worker.thread.Stop(worker.stop);
    EXPECT_FALSE(worker.thread.Started());
    EXPECT_EQ(1, worker.runs.load());
    EXPECT_EQ(&worker.thread, worker.seenRecord.load());
}

TEST(WorkerThread, StopWithoutThreadOrRunnableOrFromTheWorkerOnlySetsTheFlag)
{
    for (bool start : {false, true}) {
        CWorkerThread record;
        if (start)
            record.Start(nullptr);  // ends at once
        std::atomic<bool> stop{false};
        record.Stop(stop);
        EXPECT_TRUE(stop.load());
        EXPECT_FALSE(record.Started());
    }
    // From the worker itself a stop only sets the flag; the owner's joins.
    for (int i = 0; i < 50; ++i) {
        Worker worker(true);
        worker.thread.Start(&worker);
        while (worker.runs.load() == 0)
            std::this_thread::yield();
        worker.thread.Stop(worker.stop);  // the owner joins it
        EXPECT_TRUE(worker.stillStarted.load());  // it was not joined from inside
        EXPECT_FALSE(worker.thread.Started());
    }
}

TEST(CriticalLock, GuardsAcrossThreadsAndIsReentrant)
{
    CCriticalLock lock;
    long counter = 0;
    auto bump = [&] {
        for (int i = 0; i < 100000; ++i) {
            CCriticalGuard outer(&lock);
            CCriticalGuard inner(&lock);
            ++counter;
        }
    };
    std::thread other(bump);
    bump();
    other.join();
    EXPECT_EQ(200000, counter);
}

}  // namespace
