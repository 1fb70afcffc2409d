#pragma once

#include <vector>

#include "feed/DanmuItem.h"
#include "feed/PollOutcome.h"

// Hears of the danmaku window's rows as they arrive: each item once, after
// the filters, in order; never an item of another room. Called on the
// user-interface thread, so a sink must not wait (on the network, a disk or
// a speech engine): it takes what it needs and returns.
class RowSink {
public:
    virtual ~RowSink() = default;
    // `backlog`: the first rows of a room, the history that was there before
    // the window opened it.
    virtual void RowsArrived(int room, const std::vector<DanmuItem>& rows, bool backlog) = 0;
    // Another room is polled from now on.
    virtual void RoomChanged(int room) { (void)room; }
    // The viewer count and the latest cycle's outcome, at every refresh of
    // the window (so mostly unchanged).
    virtual void StatusChanged(int online, const PollOutcome& outcome)
    {
        (void)online;
        (void)outcome;
    }
};
