// What a request holds and the text it is sent as.
#include "http/HttpRequest.h"

#include <gtest/gtest.h>

namespace {

TEST(Headers, SetHeaderCleansOrRefuses)
{
    // A null stored name: refused.
    const struct { const char* name; const char* value; const char* storedName; const char* storedValue; } cases[] = {
        {" Accept ", " text/html ", "Accept", "text/html"}, {"X", "a\r\nb", "X", "a  b"},
        {"X", "a\tb", "X", "a b"},    {"X", " \r\n\t ", "X", ""}, {"X", "\r\nv\r\n", "X", "v"},
        {"X\tY", "v", "X\tY", "v"},   {"a b", "v", nullptr, ""},  {"a:b", "v", nullptr, ""},
        {"", "v", nullptr, ""},       {"   ", "v", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name));
        CHttpRequest request;
        HeaderMap before = request.m_headers;
        EXPECT_EQ(c.storedName ? 0 : -1, request.SetHeader(c.name, c.value));
        if (!c.storedName) {
            EXPECT_EQ(before, request.m_headers);
            continue;
        }
        std::string value;
        EXPECT_EQ(0, request.GetHeader(c.storedName, value));
        EXPECT_EQ(c.storedValue, value);
        EXPECT_EQ(before.size() + (before.count(c.storedName) ? 0 : 1), request.m_headers.size());
    }
}

TEST(HttpRequest, SetPathAndSetHostMakeTheTargetAndTheHostHeader)
{
    const std::pair<const char*, const char*> paths[] = {
        {"a b", "/a%20b"},       {"  /x  ", "/x"},        {"", "/"},
        {"/a%20b", "/a%20b"},    {"x?q=\xE4", "/x?q=\xE4"}, {"http:/x", "/http:/x"},
        {"HTTP://h/p", "HTTP://h/p"}, {"/a\tb\rc\nd e", "/a%20b%20c%20d%20e"}};
    for (const auto& [text, path] : paths) {
        CHttpRequest request;
        EXPECT_EQ(0, request.SetPath(text));
        EXPECT_EQ(path, request.m_path) << text;
    }
    const struct { int port, stored; const char* header; } hosts[] = {
        {80, 80, "h"}, {8080, 8080, "h:8080"}, {99999, 80, "h"}, {-1, 80, "h"}, {65535, 65535, "h:65535"}};
    for (const auto& c : hosts) {
        CHttpRequest request;
        std::string host;
        EXPECT_EQ(0, request.SetHost("h", c.port));
        EXPECT_EQ(0, request.GetHeader("Host", host));
        EXPECT_EQ(c.header, host) << c.port;
        EXPECT_EQ(c.stored, request.m_port);
    }
}

std::string RequestLine(const std::string& text)
{
    return text.substr(0, text.find("\r\n") + 2);
}

std::string Body(const std::string& text)
{
    return text.substr(text.find("\r\n\r\n") + 4);
}

// Every "{b}" in text replaced by the boundary.
std::string WithBoundary(std::string text, const std::string& boundary)
{
    for (std::size_t at; (at = text.find("{b}")) != std::string::npos;)
        text.replace(at, 3, boundary);
    return text;
}

// The body and its headers as sent: a GET sends its form as the target's
// query, replacing any it had, and no body or length. "{b}" stands for the
// form's boundary; callerType is the Content-Type the caller set, if any.
TEST(Serialize, FormsAndBodies)
{
    const char kFormType[] = "application/x-www-form-urlencoded", kMultipartType[] = "multipart/form-data; boundary={b}";
    const struct { const char* name; const char* method; int multipart; std::map<std::string, std::string> fields;
                   const char* rawBody, *callerType, *requestLine, *type, *length, *body; } cases[] = {
        {"QueryForm", "GET", 0, {{"q", "a b"}}, "", nullptr, "GET /s?q=a+b HTTP/1.1\r\n", "", "", ""},
        {"NoQueryForm", "GET", 0, {}, "", nullptr, "GET /s?old=1 HTTP/1.1\r\n", "", "", ""},
        {"Form", "POST", 0, {{"b", "x y"}, {"a", "1&2"}}, "", nullptr, "POST /s HTTP/1.1\r\n", kFormType, "13", "a=1%262&b=x+y"},
        {"EmptyFormKeepsCallersType", "POST", 0, {}, "", "text/plain", "POST /s HTTP/1.1\r\n", "text/plain", "0", ""},
        {"Multipart", "POST", 1, {{"f", "v"}}, "", nullptr, "POST /s HTTP/1.1\r\n", kMultipartType, "137",
         "--{b}\r\nContent-Disposition: form-data; name=\"f\"\r\n\r\nv\r\n--{b}--\r\n"},
        {"EmptyMultipartReplacesCallersType", "POST", 1, {}, "", "text/plain", "POST /s HTTP/1.1\r\n", kMultipartType, "46", "--{b}--\r\n"},
        {"RawBodyWinsOverTheForm", "POST", 0, {{"f", "v"}}, "hello", nullptr, "POST /s HTTP/1.1\r\n", "application/user-defined", "5", "hello"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CHttpRequest request;
        request.SetPath(c.method == std::string("GET") ? "/s?old=1" : "/s");
        request.m_method = c.method;
        request.m_multipart = c.multipart;
        request.m_form.m_fields = c.fields;
        request.m_body = c.rawBody;
        if (c.callerType)
            request.SetHeader("Content-Type", c.callerType);
        std::string text, type, length;
        ASSERT_EQ(0, request.Serialize(text));
        const std::string boundary = request.m_form.m_boundary;
        EXPECT_EQ(c.requestLine, RequestLine(text));
        EXPECT_EQ(*c.type ? 0 : -1, request.GetHeader("Content-Type", type));
        EXPECT_EQ(WithBoundary(c.type, boundary), type);
        EXPECT_EQ(*c.length ? 0 : -1, request.GetHeader("Content-Length", length));
        EXPECT_EQ(c.length, length);
        EXPECT_EQ(WithBoundary(c.body, boundary), Body(text));
        if (!c.multipart)
            continue;
        request.Serialize(text);
        EXPECT_NE(boundary, Body(text).substr(2, 40));  // a new one each time
    }
}

} // namespace
