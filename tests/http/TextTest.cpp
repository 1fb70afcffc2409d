// Splitting and resolving URLs.
#include "http/Url.h"

#include <gtest/gtest.h>


namespace {

TEST(SplitUrl, CutsAtTheFixedCharacters)
{
    const struct { const char* url; int result; const char* host; int port; const char* path; } cases[] = {
        {"http://host:8080/a/b?x=1", 0, "host", 8080, "/a/b?x=1"},
        {"http://host", 0, "host", 80, "/"},
        {"host/x", 0, "host", 80, "/x"},
        {"http://host/a:b", 0, "host", 80, "/a:b"},
        {"http://host:-5/x", 0, "host", 80, "/x"},
        {"a?u=http://b/c", 0, "b", 80, "/c"},
        {"http://", -1, "", 80, "/"},
        {":80/x", -1, "", 80, "/x"},
        {"/x", -1, "", 80, "/x"},
        {"", -1, "?", -7, "?"},  // an empty URL leaves the outputs alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.url));
        std::string host = "?", path = "?";
        int port = -7;
        EXPECT_EQ(c.result, SplitUrl(c.url, host, port, path));
        EXPECT_EQ(c.host, host);
        EXPECT_EQ(c.port, port);
        EXPECT_EQ(c.path, path);
    }
}

TEST(ResolveUrl, ResolvesAgainstTheBase)
{
    const std::string longHost(1500, 'h'), cutHost = "http://" + std::string(1023, 'h');
    const std::string dir499 = "/" + std::string(497, 'a') + "/", dir500 = "/" + std::string(498, 'a') + "/";
    const std::string path2047 = "/" + std::string(2046, 'p');
    const struct { std::string base; const char* reference; int result; std::string out; } cases[] = {
        {"http://h/a/b/c", "d", 0, "http://h/a/b/d"},
        {"http://h/a/b/c", "../../../d", 0, "http://h/d"},
        {"http://h/a/b/c", "https://x/y", 0, "https://x/y"},
        {"http://h/a/b/c", "./../d", 0, "http://h/a/b/../d"},
        {"http://h/a/b/c", " \t/d", 0, "http://h/d"},
        {"http://h/a/b/c", " http://x/", 0, "http://h/a/b/http://x/"},
        {"http://h/a/b/c", "x1:y", 0, "http://h/a/b/x1:y"},
        {"http://h", "d", 0, "http://h/d"},
        {"FTP://h/a/b", "c", 0, "http://h/a/c"},
        {"https://h/a", "d", -1, ""},
        {"", "/d", -1, ""},
        {std::string("http://h/a/b\0/c/d", 17), "x", 0, "http://h/a/x"},  // stops at a NUL
        // A host beyond 1023 characters is cut and its rest starts the path;
        // "../" climbs to that path's root, never into the host.
        {"http://" + longHost + "/a", "/d", 0, cutHost + "/d"},
        {"http://" + longHost, "d", -1, ""},
        {"http://" + longHost + "/p/q", "../x", 0, cutHost + std::string(477, 'h') + "/x"},
        {"http://" + longHost + "/p/q", "../../x", 0, cutHost + "/x"},
        {"http://" + longHost + "/p/q", "../../../../x", 0, cutHost + "/x"},
        {"http://h" + dir499 + "x", "d", 0, "http://h" + dir499 + "d"},
        {"http://h" + dir500 + "x", "d", -1, ""},
        {"http://h" + path2047, "/d", 0, "http://h/d"},
        {"http://h" + path2047 + "p", "/d", -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.base.substr(0, 40)) + " + " + c.reference);
        std::string out = "stale";
        EXPECT_EQ(c.result, ResolveUrl(c.base, c.reference, out));
        EXPECT_EQ(c.out, out);
    }
}

} // namespace
