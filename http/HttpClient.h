#pragma once

#include <string>

#include "http/HttpRequest.h"
#include "http/HttpResponse.h"
#include "support/Socket.h"

// Result codes of a transfer, kept in CHttpClient::m_error.
enum HttpError {
    HTTP_OK = 0,
    HTTP_ERR_URL = -1,        // URL did not split, or the host did not resolve
    HTTP_ERR_SOCKET = -2,     // no socket
    HTTP_ERR_CONNECT = -3,    // connection failed
    HTTP_ERR_BUDGET = -4,     // time budget used up after connecting or sending
    HTTP_ERR_SEND = -5,       // sending failed or ran out of time
    HTTP_ERR_RECEIVE = -6,    // receiving or parsing failed or ran out of time
};

// One request, the reply of the last transfer and that transfer's result code.
class CHttpClient {
public:
    CHttpClient();

    // One synchronous exchange over a new connection, following up to
    // redirectLimit 301/302 redirects, all within budgetMs (below 1: no
    // practical limit). 0 when a reply was received and parsed, else -1; the
    // reason is in m_error.
    int Execute(std::string url, int budgetMs, int redirectLimit);

    // Serialises m_request and writes all of it within budgetMs. 0 when every
    // byte went out (or there was nothing to write), -1 otherwise.
    int SendRequest(SOCKET s, int budgetMs);

    CHttpRequest m_request;
    CHttpResponse m_response;
    int m_error;
};
