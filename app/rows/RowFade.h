#pragma once

#include <cstddef>
#include <ctime>
#include <deque>

// When each item of a room's latest list arrived, so that rows can fade a
// set time after their arrival. An item a history reply repeats keeps the
// time it first came, so a faded row never comes back. The cost of a
// refresh grows with the list, which the history bound caps, never with
// the time the window has run.
class CRowFade {
public:
    // The room's list is now `size` items long, of which those from
    // `firstNew` on arrived `now` and the ones before are the end of the
    // list before. Returns how many items at its start have faded: those
    // that arrived `fadeSeconds` ago or longer (none when it is 0).
    std::size_t Update(std::size_t size, std::size_t firstNew, std::time_t now, int fadeSeconds);
    // Another room: nothing of the list before is kept.
    void Clear() { m_arrived.clear(); }

private:
    std::deque<std::time_t> m_arrived; // one per item of the latest list, oldest first
};
