#include "http/SocketWait.h"

#include <poll.h>

void WaitForSocket(SOCKET s, short events, int maxMs)
{
    pollfd entry{};
    entry.fd = s;
    entry.events = events;
    ::poll(&entry, 1, maxMs);
}
