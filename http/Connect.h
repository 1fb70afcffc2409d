#pragma once

#include <string>

#include "support/Socket.h"

// Connects the socket to the dotted IPv4 address and port without blocking
// past the budget counted from startMs (budgetMs > 0): HTTP_OK,
// HTTP_ERR_CONNECT when the connection is refused or fails, HTTP_ERR_BUDGET
// when the budget runs out first. The socket is left non-blocking.
int ConnectWithin(SOCKET s, const std::string& address, int port, long long startMs, int budgetMs);
