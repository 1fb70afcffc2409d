#include "http/Credentials.h"

#include "http/HttpStrings.h"
#include "http/Url.h"

namespace {

const char* const kCredentialHeaders[] = {"Authorization", "Proxy-Authorization", "Cookie"};

// The port a transfer connects to: the request stores 80 for any other value.
int EffectivePort(int port)
{
    return port >= 1 && port <= 65535 ? port : 80;
}

} // namespace

bool SameServer(const std::string& a, const std::string& b)
{
    std::string hostA, hostB, path;
    int portA = 0, portB = 0;
    if (SplitUrl(a, hostA, portA, path) != 0 || SplitUrl(b, hostB, portB, path) != 0)
        return false;
    ToLowerAscii(hostA);
    ToLowerAscii(hostB);
    return hostA == hostB && EffectivePort(portA) == EffectivePort(portB);
}

CCredentialGuard::CCredentialGuard(CHttpRequest& request, const std::string& firstUrl)
    : m_request(request), m_firstUrl(firstUrl), m_proxyUser(request.m_proxyUser)
{
    for (const char* name : kCredentialHeaders) {
        auto found = request.m_headers.find(name);
        if (found != request.m_headers.end())
            m_saved.insert(*found);
    }
}

CCredentialGuard::~CCredentialGuard()
{
    Restore();
}

void CCredentialGuard::PrepareLeg(const std::string& url)
{
    if (SameServer(m_firstUrl, url))
        Restore();
    else
        Drop();
}

void CCredentialGuard::Restore()
{
    for (const auto& header : m_saved)
        m_request.m_headers[header.first] = header.second;
    m_request.m_proxyUser = m_proxyUser;
}

void CCredentialGuard::Drop()
{
    for (const char* name : kCredentialHeaders)
        m_request.m_headers.erase(name);
    m_request.m_proxyUser.clear();
}
