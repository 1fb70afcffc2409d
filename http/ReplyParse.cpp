#include "http/ReplyParse.h"

#include "http/HttpResponse.h"
#include "http/HttpStrings.h"

namespace {

std::size_t SkipSpaces(const std::string& text, std::size_t pos)
{
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return pos;
}

void NormaliseName(std::string& name)
{
    for (;;) {
        if (!name.empty() && name.front() == ' ')
            name.erase(0, 1);
        else if (!name.empty() && (name.back() == ':' || name.back() == ' '))
            name.pop_back();
        else
            return;
    }
}

} // namespace

int FindRawHeader(const std::string& raw, std::string name, std::string& out)
{
    out.clear();
    NormaliseName(name);
    if (name.empty())
        return -1;
    std::string pattern = "\r\n" + name + ":";
    std::size_t found = raw.find(pattern);
    if (found == std::string::npos)
        return -1;
    std::size_t start = SkipSpaces(raw, found + pattern.size());
    std::size_t end = raw.find("\r\n", start);
    if (end == std::string::npos)
        return -1;
    out = raw.substr(start, end - start);
    return 0;
}

int ExtractStatusCode(const std::string& raw, std::string& out)
{
    out.clear();
    std::size_t first = raw.find(' ');
    if (first == std::string::npos)
        return -1;
    std::size_t second = raw.find(' ', first + 1);
    if (second == std::string::npos || second - first - 1 != 3)
        return -1;
    out = raw.substr(first + 1, 3);
    return 0;
}

namespace {

// Version, status code and reason into the response; -1 at the first test
// that fails, with what was stored before it kept.
int ParseStatusLine(const std::string& line, CHttpResponse& response)
{
    std::size_t start = SkipSpaces(line, 0);
    std::size_t space = line.find(' ', start);
    if (space == std::string::npos)
        return -1;
    response.m_version = line.substr(start, space - start);
    if (response.m_version != "HTTP/1.0" && response.m_version != "HTTP/1.1")
        return -1;
    start = SkipSpaces(line, space);
    space = line.find(' ', start);
    if (space == std::string::npos)
        return -1;
    response.m_status = line.substr(start, space - start);
    if (response.m_status.size() != 3)
        return -1;
    int code = AtoiSaturated(response.m_status.c_str());
    if (code < 200 || code > 600)
        return -1;
    start = SkipSpaces(line, space);
    if (start < line.size())
        response.m_reason = line.substr(start);
    return 0;
}

// "Name: value" lines separated by CR LF; the last of a repeated name wins.
int ParseHeaderLines(const std::string& section, HeaderMap& headers)
{
    std::size_t start = 0;
    for (;;) {
        std::size_t end = section.find("\r\n", start);
        std::string line = section.substr(start, end == std::string::npos ? end : end - start);
        std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            return -1;
        std::string name = line.substr(0, colon);
        std::string value = line.substr(colon + 1);
        Trim(name);
        Trim(value);
        headers[name] = value;
        if (end == std::string::npos)
            return 0;
        start = end + 2;
    }
}

} // namespace

int CHttpResponse::Parse(const std::string& raw)
{
    Reset();
    std::size_t lineEnd = raw.find("\r\n");
    std::size_t blank = raw.find("\r\n\r\n");
    if (lineEnd == std::string::npos || blank == std::string::npos)
        return -1;
    m_body = raw.substr(blank + 4);
    if (ParseStatusLine(raw.substr(0, lineEnd), *this) != 0)
        return -1;
    if (lineEnd == blank)
        return 0;
    return ParseHeaderLines(raw.substr(lineEnd + 2, blank - lineEnd - 2), m_headers);
}
