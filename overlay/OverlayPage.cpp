#include "overlay/OverlayPage.h"

bool COverlayPage::Push(const std::string& frames, std::size_t events)
{
    bool open = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_closed)
            return false;
        open = m_events + events <= kMaxEvents && m_queued.size() + frames.size() <= kMaxBytes;
        if (open) {
            m_queued += frames;
            m_events += events;
        } else {
            m_closed = true;
            m_queued.clear();
        }
    }
    m_ready.notify_one();
    return open;
}

void COverlayPage::Close()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
    }
    m_ready.notify_one();
}

COverlayPage::Taken COverlayPage::Take(std::string& out, std::chrono::milliseconds wait)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_ready.wait_for(lock, wait, [this] { return m_closed || m_events > 0; });
    if (m_closed)
        return Taken::Closed;
    if (m_events == 0)
        return Taken::Idle;
    out.swap(m_queued);
    m_queued.clear();
    m_events = 0;
    return Taken::Frames;
}
