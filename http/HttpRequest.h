#pragma once

#include <string>

#include "http/HeaderMap.h"
#include "http/HttpForm.h"

// What is to be sent. Fields are set by assignment, headers by SetHeader.
class CHttpRequest {
public:
    CHttpRequest();

    // See SetHeaderIn: 0 stored, -1 name refused.
    int SetHeader(const std::string& name, const std::string& value);
    // The value in decimal, through SetHeader.
    int SetHeaderInt(const std::string& name, int value);
    // 0 and the value in out, or -1 with out unchanged.
    int GetHeader(const std::string& name, std::string& out) const;

    // Target host and port (outside 1..65535 becomes 80), and the "Host"
    // header. Always 0.
    int SetHost(const std::string& host, int port);
    // The request target: trimmed, "/" when empty, "/" put in front unless it
    // is a path or an http:// URL, white space escaped as %20. Always 0.
    int SetPath(const std::string& text);

    // The whole request text. Adds the content and proxy headers it needs to
    // m_headers. 0, or -1 with out empty for a method other than GET and POST.
    int Serialize(std::string& out);

    std::string m_method;
    std::string m_path;
    HeaderMap m_headers;
    CHttpForm m_form;
    std::string m_body;
    std::string m_version;
    std::string m_host;
    int m_port;
    int m_multipart;
    bool m_useProxy;
    std::string m_proxyAuthScheme;
    std::string m_proxyUser;
    std::string m_proxyPassword;
};
