#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>

// The frames waiting for one open page. The publisher only ever adds to it
// (never waits for the page); the page's connection thread takes them. A
// page that lets more than kMaxEvents frames or kMaxBytes pile up has fallen
// behind and is closed: its browser connects again and resumes from the ring.
class COverlayPage {
public:
    static constexpr std::size_t kMaxEvents = 256;
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

    COverlayPage();
    ~COverlayPage();
    COverlayPage(const COverlayPage&) = delete;
    COverlayPage& operator=(const COverlayPage&) = delete;

    // Queues `events` frames; false when the page is closed, now or before.
    bool Push(const std::string& frames, std::size_t events = 1);
    // Closes the page: its connection thread ends at once.
    void Close();

    enum class Taken { Frames, Idle, Closed };
    // Moves every queued frame into `out`, waiting at most `wait` for one.
    // A browser that closed `peer` (its connection) closes the page too.
    Taken Take(std::string& out, int peer, std::chrono::milliseconds wait);

private:
    void Wake();

    const int m_wake; // an eventfd: Take waits on it and on the peer at once
    std::mutex m_mutex;
    std::string m_queued;
    std::size_t m_events = 0;
    bool m_closed = false;
};
