#include "http/Connect.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdint>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include "http/Budget.h"
#include "http/HttpError.h"

namespace {

// The outcome of a connection in progress once the socket is writable.
int PendingOutcome(SOCKET s)
{
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
        return HTTP_ERR_CONNECT;
    return HTTP_OK;
}

// Waits for a connection in progress within what is left of the budget.
int AwaitConnection(SOCKET s, long long startMs, int budgetMs)
{
    for (;;) {
        long long left = budgetMs - ElapsedMs(startMs);
        if (left <= 0)
            return HTTP_ERR_BUDGET;
        pollfd entry{s, POLLOUT, 0};
        int ready = ::poll(&entry, 1, static_cast<int>(left));
        if (ready > 0)
            return PendingOutcome(s);
        if (ready < 0 && errno != EINTR)
            return HTTP_ERR_CONNECT;
    }
}

} // namespace

int ConnectWithin(SOCKET s, const std::string& address, int port, long long startMs, int budgetMs)
{
    SocketSetNonBlocking(s);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<std::uint16_t>(port));
    target.sin_addr.s_addr = ::inet_addr(address.c_str());
    if (::connect(s, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0)
        return HTTP_OK;
    // An interrupted connect goes on in the background, like one in progress.
    if (errno != EINPROGRESS && errno != EINTR)
        return HTTP_ERR_CONNECT;
    return AwaitConnection(s, startMs, budgetMs);
}
