#pragma once

#include <atomic>

#include "feed/DanmuList.h"
#include "feed/FeedPoller.h"
#include "support/WorkerThread.h"

// One room's polling: the worker thread, what it asks for and the list it
// fills. A session is never reused: another room gets a new one, and the old
// one is only asked to stop, so that the window never waits for a request
// still under way; what that request brings lands in a list nobody reads.
struct CPollSession : CWorkerThread {
    std::atomic<bool> stop{false};
    std::atomic<bool> ended{false}; // set by the worker as its last act
    int room = 0;                   // set before the worker starts; never changed after
    FeedSettings feed;              // likewise
    CDanmuList items;               // the shared list, its lock and the online count
};
