#include "http/HttpRequest.h"

#include "http/Encoding.h"
#include "http/HeaderMap.h"
#include "http/HttpStrings.h"

namespace {

enum class Kind { None, Query, Form, Multipart };

Kind KindOf(const CHttpRequest& request)
{
    if (request.m_method == "GET")
        return Kind::Query;
    if (request.m_method == "POST")
        return request.m_multipart ? Kind::Multipart : Kind::Form;
    return Kind::None;
}

// The request line's target. A query's form text replaces any query the
// target held.
std::string TargetWithQuery(const std::string& target, Kind kind, const std::string& formText)
{
    if (kind != Kind::Query || formText.empty())
        return target;
    return target.substr(0, target.find('?')) + "?" + formText;
}

} // namespace

CHttpRequest::CHttpRequest()
    : m_method("GET"), m_path("/"), m_version("HTTP/1.1"), m_port(80), m_multipart(0),
      m_useProxy(false)
{
    SetHeader("Accept", "*/*");
    SetHeader("User-Agent", "Simple Http Client");
    SetHeader("Connection", "Keep-Alive");
}

int CHttpRequest::SetHeader(const std::string& name, const std::string& value)
{
    return SetHeaderIn(m_headers, name, value);
}

int CHttpRequest::SetHeaderInt(const std::string& name, int value)
{
    return SetHeader(name, std::to_string(value));
}

int CHttpRequest::GetHeader(const std::string& name, std::string& out) const
{
    return GetHeaderIn(m_headers, name, out);
}

int CHttpRequest::SetHost(const std::string& host, int port)
{
    m_host = host;
    m_port = port >= 1 && port <= 65535 ? port : 80;
    if (m_port == 80)
        SetHeader("Host", host);
    else
        SetHeader("Host", host + ":" + Int64ToString(m_port));
    return 0;
}

int CHttpRequest::SetPath(const std::string& text)
{
    m_path = text;
    Trim(m_path);
    if (m_path.empty())
        m_path = "/";
    if (m_path[0] != '/' && !StartsWithNoCase(m_path, "http://"))
        m_path.insert(0, "/");
    ReplaceAll(m_path, "\t", "%20");
    ReplaceAll(m_path, "\r", "%20");
    ReplaceAll(m_path, "\n", "%20");
    ReplaceAll(m_path, " ", "%20");
    return 0;
}

int CHttpRequest::Serialize(std::string& out)
{
    out.clear();
    Kind kind = KindOf(*this);
    if (kind == Kind::None)
        return -1;
    std::string formText;
    m_form.Encode(formText, kind == Kind::Multipart);
    std::string target = m_path.empty() ? "/" : m_path;

    if (m_useProxy && !m_host.empty()) {
        if (!StartsWithNoCase(target, "http://")) {
            std::string port = m_port == 80 ? "" : ":" + Int64ToString(m_port);
            target.insert(0, "http://" + m_host + port);
        }
        if (StartsWithNoCase(m_proxyAuthScheme, "Basic") && !m_proxyUser.empty())
            SetHeader("Proxy-Authorization",
                      "Basic " + Base64Encode(m_proxyUser + ":" + m_proxyPassword));
    }
    out = m_method + " " + TargetWithQuery(target, kind, formText) + " " + m_version + "\r\n";

    std::string unused;
    if (kind != Kind::Query && m_body.empty()) {
        if (kind == Kind::Multipart)
            SetHeader("Content-Type", "multipart/form-data; boundary=" + m_form.m_boundary);
        else if (GetHeader("Content-Type", unused) != 0)
            SetHeader("Content-Type", "application/x-www-form-urlencoded");
        SetHeader("Content-Length", Int64ToString(static_cast<std::int64_t>(formText.size())));
    } else if (kind != Kind::Query) {
        if (GetHeader("Content-Type", unused) != 0)
            SetHeader("Content-Type", "application/user-defined");
        SetHeader("Content-Length", Int64ToString(static_cast<std::int64_t>(m_body.size())));
    }

    for (const auto& header : m_headers)
        out += header.first + ": " + header.second + "\r\n";
    out += "\r\n";
    out += m_method == "POST" && m_body.empty() ? formText : m_body;
    return 0;
}
