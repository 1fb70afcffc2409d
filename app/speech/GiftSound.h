#pragma once

// The gift sound: a short chime when a gift row arrives, at most once in
// kGiftSoundGap however many gifts come.

#include <chrono>
#include <functional>
#include <optional>

#include "app/config/DanmuOptions.h"
#include "app/windows/RowSink.h"

constexpr std::chrono::milliseconds kGiftSoundGap{1000};

// Lets an event through when at least `gap` has passed since the last one
// it let through.
class CRateLimit {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    CRateLimit(std::chrono::milliseconds gap, Clock now) : m_gap(gap), m_now(std::move(now)) {}
    bool Take();

private:
    std::chrono::milliseconds m_gap;
    Clock m_now;
    std::optional<std::chrono::steady_clock::time_point> m_last;
};

class CGiftSound : public RowSink {
public:
    CGiftSound(const DanmuOptions& options, std::function<void()> play, CRateLimit::Clock now)
        : m_options(options), m_play(std::move(play)), m_limit(kGiftSoundGap, std::move(now))
    {
    }
    // A room's backlog brings no sound: those gifts came before.
    void RowsArrived(int room, const std::vector<DanmuItem>& rows, bool backlog) override;

private:
    const DanmuOptions& m_options;
    std::function<void()> m_play;
    CRateLimit m_limit;
};
