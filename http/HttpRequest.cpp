#include "http/Encoding.h"
#include "http/HttpRequest.h"
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
