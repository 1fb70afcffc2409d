#include "http/HttpResponse.h"

#include "http/HeaderMap.h"

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
