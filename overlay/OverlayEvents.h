#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "feed/DanmuItem.h"
#include "feed/PollOutcome.h"

// The overlay's Server-Sent Events, each a whole frame ready to send. Data
// is one line of JSON (JsonCpp escapes line breaks), so no field can end a
// frame early or add one.

// "row": {"nick","msg","level","gift"}; the nickname without its ":". Its
// id is "RUN-SEQ": the sequence number within one run of the program.
std::string RowEvent(const std::string& run, std::uint64_t seq, const DanmuItem& item);
// "online": {"count"}.
std::string OnlineEvent(std::int32_t count);
// "state": {"state": "connecting" | "ok" | "down", "reason"}.
std::string StateEvent(const PollOutcome& outcome);
// "clear": another room from now on; the page drops the rows it shows.
std::string ClearEvent();
// How long EventSource waits before it connects again.
std::string RetryField();
// A comment line that keeps idle connections (and proxies) open.
std::string KeepAliveComment();

// The newest rows, so that a page that connects again gets what it missed,
// and a page that opens gets the recent chat. Bounded both ways; every
// bound is below a page's queue bounds, so a resume always fits.
class COverlayRing {
public:
    static constexpr std::size_t kMaxEvents = 200;
    static constexpr std::size_t kMaxBytes = 256 * 1024;

    // `run` tells this run's ids apart from an earlier run's: a page that
    // outlived the program sends an id of another run.
    explicit COverlayRing(std::string run);

    // Adds the row with the next sequence number; returns its frame.
    const std::string& Add(const DanmuItem& item);

    // The frames to send a page whose last event had `lastEventId`: every
    // frame kept when it had none (a new page), the later ones when it is of
    // this run (all kept when it is older than the oldest), none when it is
    // of another run (the page already shows that run's rows). Appends them
    // to `frames`; returns how many.
    std::size_t After(const std::string& lastEventId, std::string& frames) const;

    // Forgets the rows kept; numbering goes on, so no id is given twice.
    void Clear();

    const std::string& Run() const { return m_run; }

private:
    struct Frame {
        std::uint64_t seq;
        std::string text;
    };
    const std::string m_run;
    std::uint64_t m_next = 1;
    std::deque<Frame> m_frames;
    std::size_t m_bytes = 0;
};
