#pragma once

// Sockets are plain POSIX descriptors; these names keep the library's
// vocabulary for "a socket" and "no socket".
using SOCKET = int;
constexpr SOCKET INVALID_SOCKET = -1;

// A fresh non-blocking IPv4 TCP socket, or INVALID_SOCKET. POSIX sockets need
// no library start-up, so this is also the check that networking works.
SOCKET SocketStartup();

// Closes the socket: 0, or -1 for INVALID_SOCKET (nothing is closed then).
int SocketClose(SOCKET s);

// Switches a socket to non-blocking mode; the result is not needed by callers.
void SocketSetNonBlocking(SOCKET s);
