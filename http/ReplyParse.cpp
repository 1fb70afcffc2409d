#include "http/ReplyParse.h"

#include <algorithm>

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

namespace {

bool SameLetterNoCase(char a, char b)
{
    if (a >= 'A' && a <= 'Z')
        a = static_cast<char>(a + 0x20);
    if (b >= 'A' && b <= 'Z')
        b = static_cast<char>(b + 0x20);
    return a == b;
}

// Where "\r\n" name ":" first occurs in raw, or npos.
std::size_t FindHeaderLine(const std::string& raw, const std::string& pattern, bool anyCase)
{
    if (!anyCase)
        return raw.find(pattern);
    auto found = std::search(raw.begin(), raw.end(), pattern.begin(), pattern.end(), SameLetterNoCase);
    return found == raw.end() ? std::string::npos : static_cast<std::size_t>(found - raw.begin());
}

int FindRawHeaderIn(const std::string& raw, std::string name, std::string& out, bool anyCase)
{
    out.clear();
    NormaliseName(name);
    if (name.empty())
        return -1;
    std::string pattern = "\r\n" + name + ":";
    std::size_t found = FindHeaderLine(raw, pattern, anyCase);
    if (found == std::string::npos)
        return -1;
    std::size_t start = SkipSpaces(raw, found + pattern.size());
    std::size_t end = raw.find("\r\n", start);
    if (end == std::string::npos)
        return -1;
    out = raw.substr(start, end - start);
    return 0;
}

} // namespace

int FindRawHeader(const std::string& raw, std::string name, std::string& out)
{
    return FindRawHeaderIn(raw, std::move(name), out, false);
}

int FindRawHeaderAnyCase(const std::string& raw, std::string name, std::string& out)
{
    return FindRawHeaderIn(raw, std::move(name), out, true);
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

int ParseReply(CHttpResponse& response, const std::string& head, std::string body)
{
    response.Reset();
    std::size_t lineEnd = head.find("\r\n");
    std::size_t blank = head.find("\r\n\r\n");
    if (lineEnd == std::string::npos || blank == std::string::npos)
        return -1;
    response.m_body = std::move(body);
    if (ParseStatusLine(head.substr(0, lineEnd), response) != 0)
        return -1;
    if (lineEnd == blank)
        return 0;
    return ParseHeaderLines(head.substr(lineEnd + 2, blank - lineEnd - 2), response.m_headers);
}

int CHttpResponse::Parse(const std::string& raw)
{
    std::size_t blank = raw.find("\r\n\r\n");
    if (blank == std::string::npos) {
        Reset();
        return -1;
    }
    return ParseReply(*this, raw.substr(0, blank + 4), raw.substr(blank + 4));
}
