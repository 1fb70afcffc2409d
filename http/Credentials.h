#pragma once

#include <map>
#include <string>

#include "http/HttpRequest.h"

// Keeps a request's credentials to the server it was aimed at. A redirect to
// another host or port gets the request without "Authorization",
// "Proxy-Authorization", "Cookie" and the proxy user (from which
// serialisation would make "Proxy-Authorization" again); a leg back at the
// first host and port gets them again. The destructor puts them back, so the
// caller's request keeps its headers for its next exchange.
class CCredentialGuard {
public:
    CCredentialGuard(CHttpRequest& request, const std::string& firstUrl);
    ~CCredentialGuard();
    CCredentialGuard(const CCredentialGuard&) = delete;
    CCredentialGuard& operator=(const CCredentialGuard&) = delete;

    // Fits the request to the leg that goes to url.
    void PrepareLeg(const std::string& url);

private:
    void Restore();
    void Drop();

    CHttpRequest& m_request;
    std::string m_firstUrl;
    std::map<std::string, std::string> m_saved;  // the credential headers the caller set
    std::string m_proxyUser;
};

// Whether the two URLs name the same host (in any letter case) and port.
bool SameServer(const std::string& a, const std::string& b);
