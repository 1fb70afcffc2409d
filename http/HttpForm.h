#pragma once

#include <string>

#include "http/HeaderMap.h"

// Form fields, sent as a query string, a URL-encoded body or a multipart body.
class CHttpForm {
public:
    // The form text: "name=value&..." with values percent-encoded, or a
    // multipart body under a fresh boundary (kept in m_boundary). Always 0.
    int Encode(std::string& out, bool multipart);

    std::string m_boundary;                        // of the last multipart encoding
    std::map<std::string, std::string> m_fields;   // name to value, byte-wise order
};
