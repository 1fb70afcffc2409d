#include "overlay/OverlayPage.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

COverlayPage::COverlayPage() : m_wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

COverlayPage::~COverlayPage()
{
    if (m_wake >= 0)
        close(m_wake);
}

void COverlayPage::Wake()
{
    const std::uint64_t one = 1;
    // Only fails when the counter is already huge: Take wakes all the same.
    (void)!write(m_wake, &one, sizeof one);
}

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
    Wake();
    return open;
}

void COverlayPage::Close()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
    }
    Wake();
}

COverlayPage::Taken COverlayPage::Take(std::string& out, int peer, std::chrono::milliseconds wait)
{
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_closed || m_wake < 0)
                return Taken::Closed;
            if (m_events > 0) {
                out.swap(m_queued);
                m_queued.clear();
                m_events = 0;
                return Taken::Frames;
            }
        }
        pollfd watched[] = {{m_wake, POLLIN, 0}, {peer, POLLIN | POLLRDHUP, 0}};
        const int ready = poll(watched, 2, static_cast<int>(wait.count()));
        if (ready == 0)
            return Taken::Idle;
        if (ready < 0 && errno != EINTR)
            return Taken::Closed;
        // A page sends nothing after its request: anything from it is its end.
        if (watched[1].revents != 0) {
            Close();
            return Taken::Closed;
        }
        std::uint64_t count = 0;
        (void)!read(m_wake, &count, sizeof count);
    }
}
