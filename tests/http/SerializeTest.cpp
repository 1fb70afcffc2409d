#include "http/HttpRequest.h"

#include <gtest/gtest.h>

#include "http/Encoding.h"

namespace {

// The request text before its body, split off at the blank line.
std::string Head(const std::string& text)
{
    return text.substr(0, text.find("\r\n\r\n") + 4);
}

std::string Body(const std::string& text)
{
    return text.substr(text.find("\r\n\r\n") + 4);
}

CHttpRequest NewRequest(const char* method, const char* path)
{
    CHttpRequest request;
    request.m_method = method;
    request.SetHost("h", 80);
    request.SetPath(path);
    return request;
}

TEST(Serialize, FeedPollerRequestByteForByte)
{
    CHttpRequest request;
    request.SetHeader("Authorization", "dms s_7c3e91a0d25b48f6e0a9c4d1b8f27e63");
    request.SetHost("127.0.0.1", 18080);
    request.SetPath("/index.php/Welcome/get_live_online?live_id=1000");
    std::string text;
    ASSERT_EQ(0, request.Serialize(text));
    EXPECT_EQ("GET /index.php/Welcome/get_live_online?live_id=1000 HTTP/1.1\r\n"
              "Accept: */*\r\n"
              "Authorization: dms s_7c3e91a0d25b48f6e0a9c4d1b8f27e63\r\n"
              "Connection: Keep-Alive\r\n"
              "Host: 127.0.0.1:18080\r\n"
              "User-Agent: Simple Http Client\r\n"
              "\r\n",
              text);
}

TEST(Serialize, MethodsWithoutKindWriteNothing)
{
    for (const char* method : {"HEAD", "PUT", "get", "post", ""}) {
        CHttpRequest request = NewRequest(method, "/");
        HeaderMap before = request.m_headers;
        std::string text = "stale";
        EXPECT_EQ(-1, request.Serialize(text)) << method;
        EXPECT_EQ("", text);
        EXPECT_EQ(before, request.m_headers);
    }
}

struct QueryCase {
    const char* path;
    const char* field;
    const char* requestLine;
};

TEST(Serialize, QueryFormReplacesTheTargetsQuery)
{
    const QueryCase cases[] = {
        {"/s", "a b", "GET /s?q=a+b HTTP/1.1\r\n"},
        {"/s?old=1", "a b", "GET /s?q=a+b HTTP/1.1\r\n"},
        {"/s?old=1", nullptr, "GET /s?old=1 HTTP/1.1\r\n"},
    };
    for (const auto& c : cases) {
        CHttpRequest request = NewRequest("GET", c.path);
        if (c.field)
            request.m_form.m_fields["q"] = c.field;
        std::string text;
        ASSERT_EQ(0, request.Serialize(text));
        EXPECT_EQ(c.requestLine, text.substr(0, text.find("\r\n") + 2));
        EXPECT_EQ("", Body(text));
        std::string unused;
        EXPECT_EQ(-1, request.GetHeader("Content-Length", unused));
    }
}

TEST(Serialize, FormBody)
{
    CHttpRequest request = NewRequest("POST", "/p");
    request.m_form.m_fields["b"] = "x y";
    request.m_form.m_fields["a"] = "1&2";
    std::string text;
    ASSERT_EQ(0, request.Serialize(text));
    EXPECT_EQ("POST /p HTTP/1.1\r\n"
              "Accept: */*\r\n"
              "Connection: Keep-Alive\r\n"
              "Content-Length: 13\r\n"
              "Content-Type: application/x-www-form-urlencoded\r\n"
              "Host: h\r\n"
              "User-Agent: Simple Http Client\r\n"
              "\r\n"
              "a=1%262&b=x+y",
              text);
}

TEST(Serialize, ContentTypeOfTheCallerSurvivesFormButNotMultipart)
{
    CHttpRequest request = NewRequest("POST", "/p");
    request.SetHeader("Content-Type", "text/plain");
    std::string text, type;
    request.Serialize(text);
    request.GetHeader("Content-Type", type);
    EXPECT_EQ("text/plain", type);
    request.m_multipart = 1;
    request.Serialize(text);
    request.GetHeader("Content-Type", type);
    EXPECT_EQ("multipart/form-data; boundary=" + request.m_form.m_boundary, type);
}

// An empty form still announces its length, and the header stays when the
// same request is sent again as a GET.
TEST(Serialize, EmptyFormSendsLengthZeroAndKeepsItOnReuse)
{
    CHttpRequest request = NewRequest("POST", "/p");
    std::string text;
    request.Serialize(text);
    EXPECT_NE(std::string::npos, Head(text).find("Content-Length: 0\r\n"));
    EXPECT_EQ("", Body(text));
    request.m_method = "GET";
    request.Serialize(text);
    EXPECT_NE(std::string::npos, Head(text).find("Content-Length: 0\r\n"));
}

TEST(Serialize, RawBodyWinsOverTheForm)
{
    for (int multipart : {0, 1}) {
        CHttpRequest request = NewRequest("POST", "/p");
        request.m_multipart = multipart;
        request.m_form.m_fields["f"] = "v";
        request.m_body = "hello";
        std::string text, type, length;
        request.Serialize(text);
        request.GetHeader("Content-Type", type);
        request.GetHeader("Content-Length", length);
        EXPECT_EQ("application/user-defined", type);
        EXPECT_EQ("5", length);
        EXPECT_EQ("hello", Body(text));
    }
}

TEST(Serialize, MultipartBody)
{
    CHttpRequest request = NewRequest("POST", "/p");
    request.m_multipart = 1;
    request.m_form.m_fields["f"] = "v";
    std::string text;
    ASSERT_EQ(0, request.Serialize(text));
    const std::string& boundary = request.m_form.m_boundary;
    ASSERT_EQ(40u, boundary.size());
    EXPECT_EQ("--------", boundary.substr(0, 8));
    EXPECT_EQ(std::string::npos, boundary.find_first_not_of("-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ("--" + boundary + "\r\n" + "Content-Disposition: form-data; name=\"f\"\r\n\r\n" +
                  "v\r\n" + "--" + boundary + "--\r\n",
              Body(text));
    EXPECT_EQ(137u, Body(text).size());
    EXPECT_NE(std::string::npos, Head(text).find("Content-Length: 137\r\n"));
    EXPECT_NE(std::string::npos, Head(text).find("boundary=" + boundary + "\r\n"));

    std::string second;
    request.Serialize(second);
    EXPECT_NE(Body(text).substr(2, 40), Body(second).substr(2, 40));
    EXPECT_NE(std::string::npos, Head(second).find("boundary=" + Body(second).substr(2, 40)));
}

TEST(Serialize, MultipartWithoutFieldsIsTheClosingLine)
{
    CHttpForm form;
    std::string body;
    EXPECT_EQ(0, form.Encode(body, true));
    EXPECT_EQ("--" + form.m_boundary + "--\r\n", body);
    EXPECT_EQ(0, form.Encode(body, false));
    EXPECT_EQ("", body);
}

struct ProxyCase {
    const char* host;
    int port;
    const char* path;
    const char* requestLine;
};

TEST(Serialize, ProxyTargets)
{
    const ProxyCase cases[] = {
        {"h", 8080, "/x", "GET http://h:8080/x HTTP/1.1\r\n"},
        {"h", 80, "/x", "GET http://h/x HTTP/1.1\r\n"},
        {"h", 80, "HTTP://o/x", "GET HTTP://o/x HTTP/1.1\r\n"},
        {"", 80, "/x", "GET /x HTTP/1.1\r\n"},
    };
    for (const auto& c : cases) {
        CHttpRequest request;
        request.m_useProxy = true;
        request.m_proxyAuthScheme = "Basic";
        request.m_proxyUser = "u";
        request.m_host = c.host;
        request.m_port = c.port;
        request.SetPath(c.path);
        std::string text;
        request.Serialize(text);
        EXPECT_EQ(c.requestLine, text.substr(0, text.find("\r\n") + 2));
        EXPECT_EQ(c.path, request.m_path);
        std::string auth;
        EXPECT_EQ(*c.host ? 0 : -1, request.GetHeader("Proxy-Authorization", auth));
    }
}

TEST(Serialize, ProxyAuthorization)
{
    struct {
        const char* scheme;
        const char* user;
        const char* password;
        const char* header;
    } cases[] = {
        {"basic", "u", "", "Basic dTo="},
        {"BASIC realm", "u", "p", "Basic dTpw"},
        {"Basic", "", "p", nullptr},
        {"Digest", "u", "p", nullptr},
        {"Basi", "u", "p", nullptr},
    };
    for (const auto& c : cases) {
        CHttpRequest request = NewRequest("GET", "/x");
        request.m_useProxy = true;
        request.m_proxyAuthScheme = c.scheme;
        request.m_proxyUser = c.user;
        request.m_proxyPassword = c.password;
        std::string text, auth;
        request.Serialize(text);
        EXPECT_EQ(c.header ? 0 : -1, request.GetHeader("Proxy-Authorization", auth)) << c.scheme;
        if (c.header) {
            EXPECT_EQ(c.header, auth);
        }
    }
}

TEST(Serialize, LongProxyCredentialsLoseTheirLineBreaks)
{
    CHttpRequest request = NewRequest("GET", "/x");
    request.m_useProxy = true;
    request.m_proxyAuthScheme = "Basic";
    request.m_proxyUser = std::string(56, 'u');  // with ":" 57 bytes: one full line
    std::string text, auth;
    request.Serialize(text);
    request.GetHeader("Proxy-Authorization", auth);
    EXPECT_EQ("Basic " + Base64Encode(request.m_proxyUser + ":").substr(0, 76), auth);
    request.m_proxyUser += "uu";  // 59 bytes: the inner CR LF becomes two spaces
    request.Serialize(text);
    request.GetHeader("Proxy-Authorization", auth);
    EXPECT_EQ(6u + 76 + 2 + 4, auth.size());
    EXPECT_EQ("  ", auth.substr(82, 2));
}

} // namespace
