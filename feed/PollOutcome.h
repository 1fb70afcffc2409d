#pragma once

#include <string>

// What became of one request of a poll cycle.
struct RequestOutcome {
    std::string host;       // host[:port] asked
    int error = 0;          // the transfer's result code: 0 ok, -1 to -6 failed
    int status = 0;         // HTTP status of the last reply, 0 when none came
    bool decoded = false;   // the reply could be read as the feed expects
};

// One poll cycle: the viewer count first, then the history. The poller
// reports it to the window with the refresh message.
struct PollOutcome {
    bool reported = false;  // false until the first cycle has ended
    RequestOutcome online;
    RequestOutcome history;
};

// True when both replies of the cycle could be read.
bool CycleSucceeded(const PollOutcome& outcome);

// Why the cycle failed, in words for the user (UTF-8), naming the first
// request that failed; empty when it succeeded or none was reported yet.
std::string FailureReason(const PollOutcome& outcome);
