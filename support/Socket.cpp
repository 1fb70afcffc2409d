#include "support/Socket.h"

#include <sys/ioctl.h>
#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

SOCKET SocketStartup()
{
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return INVALID_SOCKET;
    SocketSetNonBlocking(s);
    return s;
}

int SocketClose(SOCKET s)
{
    if (s == INVALID_SOCKET)
        return -1;
    ::close(s);
    return 0;
}

void SocketSetNonBlocking(SOCKET s)
{
    int on = 1;
    ::ioctl(s, FIONBIO, &on);
}
