#pragma once

#include <string>

// The dotted IPv4 address to connect to for host: the host text itself when
// it is a dotted address above 1.0.0.0, else the first IPv4 address a name
// look-up gives. 0, or -1 when the name does not resolve.
int FindAddress(const std::string& host, std::string& address);
