#include "http/Address.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

int FindAddress(const std::string& host, std::string& address)
{
    // A NUL would cut the name short and look up something else.
    if (host.find('\0') != std::string::npos)
        return -1;
    in_addr_t dotted = ::inet_addr(host.c_str());
    if (dotted != INADDR_NONE && ntohl(dotted) > 0x01000000u) {
        address = host;
        return 0;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return -1;
    char text[INET_ADDRSTRLEN] = {};
    const auto* ip = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    ::inet_ntop(AF_INET, &ip->sin_addr, text, sizeof text);
    ::freeaddrinfo(found);
    address = text;
    return 0;
}
