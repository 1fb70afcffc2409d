#include "http/HttpClient.h"

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

CHttpResponse::CHttpResponse()
    : m_status("200"), m_reason("OK"), m_version("HTTP/1.1"), m_isHead(0), m_onHeader(nullptr),
      m_onHeaderUser(nullptr), m_onData(nullptr), m_onDataUser(nullptr), m_headerCalled(0),
      m_dataCalled(0), m_headerResult(0), m_dataResult(0), m_maxBody(kNoBodyLimit)
{
    SetHeader("Content-Type", "text/html");
    SetHeader("Access-Control-Allow-Origin", "*");
    SetHeader("Server", "Simple Http Server");
    SetHeader("Connection", "Close");
}

int CHttpResponse::SetHeader(const std::string& name, const std::string& value)
{
    return SetHeaderIn(m_headers, name, value);
}

int CHttpResponse::GetHeader(const std::string& name, std::string& out) const
{
    return GetHeaderIn(m_headers, name, out);
}

void CHttpResponse::Reset()
{
    m_status.clear();
    m_reason.clear();
    m_version.clear();
    m_headers.clear();
    m_body.clear();
    m_headerCalled = 0;
    m_dataCalled = 0;
    m_headerResult = 0;
    m_dataResult = 0;
}

CHttpClient::CHttpClient() : m_error(0)
{
}
