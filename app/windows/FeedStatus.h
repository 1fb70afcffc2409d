#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "feed/PollOutcome.h"

// The feed's state as the danmaku window shows it: fine, or failed with a
// reason, and when the last good update came.
class CFeedStatus {
public:
    using Clock = std::chrono::steady_clock;

    // Takes the latest cycle's outcome; true when the state changed (fine
    // to failed, failed to fine, or another reason).
    bool Update(const PollOutcome& outcome, Clock::time_point now);

    bool Failed() const { return !m_reason.empty(); }
    // The reason and how long ago the last good update was (UTF-8).
    std::string Details(Clock::time_point now) const;
    // The line for the log when the state has changed (UTF-8, no newline).
    std::string LogLine() const;

private:
    std::string m_reason; // empty while the feed is fine
    std::optional<Clock::time_point> m_lastGood;
};
