#pragma once

#include "support/Socket.h"

// Waits at most maxMs until the socket is ready for events (POLLIN or
// POLLOUT), has failed or was closed. An interrupted wait simply returns:
// callers test their budget and try again.
void WaitForSocket(SOCKET s, short events, int maxMs);
