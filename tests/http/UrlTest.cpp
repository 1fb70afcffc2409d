#include "http/Url.h"

#include <gtest/gtest.h>

#include "http/HttpRequest.h"

namespace {

struct SplitCase {
    const char* url;
    int result;
    const char* host;
    int port;
    const char* path;
};

const SplitCase kSplitCases[] = {
    {"http://host:8080/a/b?x=1", 0, "host", 8080, "/a/b?x=1"},
    {"http://host", 0, "host", 80, "/"},
    {"http://host:8080", 0, "host", 8080, "/"},
    {"host/x", 0, "host", 80, "/x"},
    {"ftp://host/x", 0, "host", 80, "/x"},
    {"https://host/x", 0, "host", 80, "/x"},
    {"http://host/a:b", 0, "host", 80, "/a:b"},
    {"http://host:abc/x", 0, "host", 80, "/x"},
    {"http://host:0/x", 0, "host", 80, "/x"},
    {"http://host:-5/x", 0, "host", 80, "/x"},
    {"http://host: 81/x", 0, "host", 81, "/x"},
    {"http://host:99999/x", 0, "host", 99999, "/x"},
    {"http://host:99999999999999/x", 0, "host", 2147483647, "/x"},
    {"http://host?x=1", 0, "host?x=1", 80, "/"},
    {"http://user:pw@host/x", 0, "user", 80, "/x"},
    {"a?u=http://b/c", 0, "b", 80, "/c"},
    {"http://", -1, "", 80, "/"},
    {":80/x", -1, "", 80, "/x"},
    {"/x", -1, "", 80, "/x"},
    {"", -1, "?", -7, "?"},  // an empty URL leaves the outputs alone
};

std::ostream& operator<<(std::ostream& os, const SplitCase& c)
{
    return os << (*c.url ? c.url : "(empty)");
}

class SplitUrlTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitUrlTable, CutsAtTheFixedCharacters)
{
    const SplitCase& c = GetParam();
    std::string host = "?";
    int port = -7;
    std::string path = "?";
    EXPECT_EQ(c.result, SplitUrl(c.url, host, port, path));
    EXPECT_EQ(c.host, host);
    EXPECT_EQ(c.port, port);
    EXPECT_EQ(c.path, path);
}

INSTANTIATE_TEST_SUITE_P(Url, SplitUrlTable, testing::ValuesIn(kSplitCases));

struct ResolveCase {
    std::string base;
    const char* reference;
    int result;
    const char* out;
};

const ResolveCase kResolveCases[] = {
    {"http://h/a/b/c", "d", 0, "http://h/a/b/d"},
    {"http://h/a/b/c", "../d", 0, "http://h/a/d"},
    {"http://h/a/b/c", "../../../d", 0, "http://h/d"},
    {"http://h/a/b/c", "./d", 0, "http://h/a/b/d"},
    {"http://h/a/b/c", "/d", 0, "http://h/d"},
    {"http://h/a/b/c", "https://x/y", 0, "https://x/y"},
    {"http://h/a/b/c", "./../d", 0, "http://h/a/b/../d"},
    {"http://h/a/b/c", " \t/d", 0, "http://h/d"},
    {"http://h/a/b/c", " http://x/", 0, "http://h/a/b/http://x/"},
    {"http://h/a/b/c", "x1:y", 0, "http://h/a/b/x1:y"},
    {"http://h/a/b/c", "mailto:", 0, "mailto:"},
    {"http://h/a/b/c", ":x", 0, "http://h/a/b/:x"},
    {"http://h", "d", 0, "http://h/d"},
    {"http://h/a?q=1/2", "d", 0, "http://h/a?q=1/d"},
    {"FTP://h/a/b", "c", 0, "http://h/a/c"},
    {"HtTp://h:81/a", "c", 0, "http://h:81/c"},
    {"https://h/a", "d", -1, ""},
    {"h/a", "d", -1, ""},
    {"", "/d", -1, ""},
    {std::string("http://h/a/b\0/c/d", 17), "x", 0, "http://h/a/x"},  // stops at a NUL
};

std::ostream& operator<<(std::ostream& os, const ResolveCase& c)
{
    return os << testing::PrintToString(c.base) << " + " << c.reference;
}

class ResolveUrlTable : public testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveUrlTable, ResolvesAgainstTheBase)
{
    const ResolveCase& c = GetParam();
    std::string out = "stale";
    EXPECT_EQ(c.result, ResolveUrl(c.base, c.reference, out));
    EXPECT_EQ(c.out, out);
}

INSTANTIATE_TEST_SUITE_P(Url, ResolveUrlTable, testing::ValuesIn(kResolveCases));

TEST(ResolveUrl, LimitsOfHostPathAndDirectory)
{
    std::string out;
    // A host beyond 1023 characters is cut; the rest starts the path.
    std::string longHost(1030, 'h');
    EXPECT_EQ(0, ResolveUrl("http://" + longHost + "/a", "/d", out));
    EXPECT_EQ("http://" + std::string(1023, 'h') + "/d", out);
    EXPECT_EQ(-1, ResolveUrl("http://" + longHost, "d", out));
    EXPECT_EQ("", out);

    std::string dir499 = "/" + std::string(497, 'a') + "/";
    EXPECT_EQ(0, ResolveUrl("http://h" + dir499 + "x", "d", out));
    EXPECT_EQ("http://h" + dir499 + "d", out);
    std::string dir500 = "/" + std::string(498, 'a') + "/";
    EXPECT_EQ(-1, ResolveUrl("http://h" + dir500 + "x", "d", out));
    EXPECT_EQ("", out);

    std::string path2047 = "/" + std::string(2046, 'p');
    EXPECT_EQ(0, ResolveUrl("http://h" + path2047, "/d", out));
    EXPECT_EQ(-1, ResolveUrl("http://h" + path2047 + "p", "/d", out));
    EXPECT_EQ("", out);
    EXPECT_EQ(-1, ResolveUrl("http://h/" + std::string(100000, 'x'), "d", out));
}

// With the host cut at its limit the path begins with the host's rest: a
// "../" that finds no earlier "/" leaves the root, never the host's end.
TEST(ResolveUrl, DotDotNeverClimbsIntoTheHost)
{
    const std::string base = "http://" + std::string(1500, 'a') + "/p/q";
    const std::string host = "http://" + std::string(1023, 'a');
    const struct {
        const char* reference;
        std::string resolved;
    } cases[] = {
        {"x", host + std::string(477, 'a') + "/p/x"},
        {"../x", host + std::string(477, 'a') + "/x"},
        {"../../x", host + "/x"},
        {"../../../x", host + "/x"},
        {"../../../../../x", host + "/x"},
    };
    for (const auto& c : cases) {
        std::string out;
        EXPECT_EQ(0, ResolveUrl(base, c.reference, out)) << c.reference;
        EXPECT_EQ(c.resolved, out) << c.reference;
    }
}

struct PathCase {
    const char* text;
    const char* path;
};

const PathCase kPathCases[] = {
    {"a b", "/a%20b"},
    {"  /x  ", "/x"},
    {"", "/"},
    {" \r\n", "/"},
    {"HTTP://h/p", "HTTP://h/p"},
    {"/a%20b", "/a%20b"},
    {"/a\tb\rc\nd e", "/a%20b%20c%20d%20e"},
    {"x?q=\xE4", "/x?q=\xE4"},
    {"http:/x", "/http:/x"},
};

std::ostream& operator<<(std::ostream& os, const PathCase& c)
{
    return os << c.text;
}

class SetPathTable : public testing::TestWithParam<PathCase> {};

TEST_P(SetPathTable, MakesTheRequestTarget)
{
    CHttpRequest request;
    EXPECT_EQ(0, request.SetPath(GetParam().text));
    EXPECT_EQ(GetParam().path, request.m_path);
}

INSTANTIATE_TEST_SUITE_P(Url, SetPathTable, testing::ValuesIn(kPathCases));

TEST(SetHost, PortDecidesTheHostHeader)
{
    struct {
        int port;
        int stored;
        const char* header;
    } cases[] = {{80, 80, "h"}, {8080, 8080, "h:8080"}, {99999, 80, "h"},
                 {0, 80, "h"},  {-1, 80, "h"},          {65535, 65535, "h:65535"}};
    for (const auto& c : cases) {
        CHttpRequest request;
        EXPECT_EQ(0, request.SetHost("h", c.port));
        std::string host;
        EXPECT_EQ(0, request.GetHeader("Host", host));
        EXPECT_EQ(c.header, host) << c.port;
        EXPECT_EQ(c.stored, request.m_port);
        EXPECT_EQ("h", request.m_host);
    }
}

} // namespace
