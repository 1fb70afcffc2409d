#pragma once

#include <string>

#include "http/HttpError.h"
#include "http/HttpRequest.h"
#include "http/HttpResponse.h"
#include "support/Socket.h"

// One request, the reply of the last transfer and that transfer's result code.
class CHttpClient {
public:
    CHttpClient();

    // One synchronous exchange over a new connection, following up to
    // redirectLimit 301/302 redirects, all within budgetMs (below 1: no
    // practical limit). Only the name look-up may block past the budget; the
    // connect waits within it. A redirect to another host or port is sent
    // without the request's credentials (see CCredentialGuard). 0 when a
    // reply was received and parsed, else -1; the reason is in m_error.
    int Execute(std::string url, int budgetMs, int redirectLimit);

    // Serialises m_request and writes all of it within budgetMs. 0 when every
    // byte went out; -1 otherwise, at once when the request cannot be
    // serialised (a method other than GET and POST).
    int SendRequest(SOCKET s, int budgetMs);

    CHttpRequest m_request;
    CHttpResponse m_response;
    int m_error;
};
