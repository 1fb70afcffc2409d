#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// Ends a message loop that would otherwise wait forever; says whether it
// had to. Not a timing assertion: the bound is far beyond any normal run.
class Watchdog {
public:
    explicit Watchdog(int seconds = 30);
    ~Watchdog();
    bool Fired() const { return m_fired; }

private:
    std::thread m_thread;
    std::mutex m_lock;
    std::condition_variable m_done;
    bool m_stop = false;
    std::atomic<bool> m_fired{false};
};
