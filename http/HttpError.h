#pragma once

// Result codes of a transfer, kept in CHttpClient::m_error.
enum HttpError {
    HTTP_OK = 0,
    HTTP_ERR_URL = -1,        // URL did not split, or the host did not resolve
    HTTP_ERR_SOCKET = -2,     // no socket
    HTTP_ERR_CONNECT = -3,    // connection refused or failed
    HTTP_ERR_BUDGET = -4,     // time budget used up while connecting, or after connecting or sending
    HTTP_ERR_SEND = -5,       // the request could not be serialised, or sending failed or ran out of time
    HTTP_ERR_RECEIVE = -6,    // receiving or parsing failed, ran out of time or passed m_maxBody
};
