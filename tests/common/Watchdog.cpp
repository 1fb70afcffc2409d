#include "tests/common/Watchdog.h"

#include <chrono>

#include "ui/Win32.h"

Watchdog::Watchdog(int seconds)
{
    m_thread = std::thread([this, seconds] {
        std::unique_lock<std::mutex> lock(m_lock);
        if (!m_done.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_stop; })) {
            m_fired = true;
            PostMessageW(nullptr, WM_QUIT, 0, 0);
        }
    });
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_done.notify_all();
    m_thread.join();
}
