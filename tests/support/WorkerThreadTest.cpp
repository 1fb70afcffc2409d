#include "support/WorkerThread.h"

#include <gtest/gtest.h>

#include "support/CriticalLock.h"

namespace {

// Counts its runs and loops until its stop flag is set.
class Looper : public Runnable {
public:
    int Run(CWorkerThread* record, int param) override
    {
        seenRecord.store(record);
        seenParam.store(param);
        runs.fetch_add(1);
        while (!stop.load(std::memory_order_relaxed))
            std::this_thread::yield();
        return 0;
    }
    CWorkerThread thread;
    std::atomic<bool> stop{false};
    std::atomic<int> runs{0};
    std::atomic<CWorkerThread*> seenRecord{nullptr};
    std::atomic<int> seenParam{-1};
};

TEST(WorkerThread, RunsOnceWithItsRecordAndStopJoins)
{
    Looper looper;
    looper.thread.Start(&looper);
    std::thread::id first = looper.thread.m_handle.get_id();
    looper.thread.Start(&looper);  // a second start creates nothing
    EXPECT_EQ(first, looper.thread.m_handle.get_id());

    looper.thread.Stop(looper.stop);
    EXPECT_FALSE(looper.thread.Started());
    EXPECT_EQ(1, looper.runs.load());
    EXPECT_EQ(&looper.thread, looper.seenRecord.load());
    EXPECT_EQ(0, looper.seenParam.load());
}

TEST(WorkerThread, StopWithoutThreadOnlySetsTheFlag)
{
    CWorkerThread record;
    std::atomic<bool> stop{false};
    record.Stop(stop);
    EXPECT_TRUE(stop.load());
    EXPECT_FALSE(record.Started());
}

TEST(WorkerThread, NullRunnableEndsAtOnce)
{
    CWorkerThread record;
    record.Start(nullptr);
    std::atomic<bool> stop{false};
    record.Stop(stop);
    EXPECT_FALSE(record.Started());
}

// Stops its own record from inside Run, at once, while the owner may still
// be in Start.
class SelfStopper : public Runnable {
public:
    int Run(CWorkerThread* record, int) override
    {
        record->Stop(stop);
        stillStarted.store(record->Started());
        done.store(true);
        return 0;
    }
    CWorkerThread thread;
    std::atomic<bool> stop{false};
    std::atomic<bool> stillStarted{false};
    std::atomic<bool> done{false};
};

TEST(WorkerThread, StopFromTheWorkerItselfOnlySetsTheFlag)
{
    for (int i = 0; i < 50; ++i) {
        SelfStopper stopper;
        stopper.thread.Start(&stopper);
        while (!stopper.done.load())
            std::this_thread::yield();
        EXPECT_TRUE(stopper.stop.load());
        EXPECT_TRUE(stopper.stillStarted.load());  // not joined from inside
        EXPECT_TRUE(stopper.thread.Started());
        stopper.thread.Stop(stopper.stop);  // the owner joins it
        EXPECT_FALSE(stopper.thread.Started());
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
