// The text helpers: URLs, encodings, strings and numbers.
#include "http/Url.h"

#include <climits>

#include <gtest/gtest.h>

#include "http/Encoding.h"
#include "http/HttpStrings.h"

namespace {

TEST(SplitUrl, CutsAtTheFixedCharacters)
{
    const struct { const char* url; int result; const char* host; int port; const char* path; } cases[] = {
        {"http://host:8080/a/b?x=1", 0, "host", 8080, "/a/b?x=1"},
        {"http://host", 0, "host", 80, "/"},
        {"host/x", 0, "host", 80, "/x"},
        {"ftp://host/x", 0, "host", 80, "/x"},
        {"http://host/a:b", 0, "host", 80, "/a:b"},
        {"http://host:-5/x", 0, "host", 80, "/x"},
        {"http://host?x=1", 0, "host?x=1", 80, "/"},
        {"http://user:pw@host/x", 0, "user", 80, "/x"},
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
        {"http://h/a/b/c", "./d", 0, "http://h/a/b/d"},
        {"http://h/a/b/c", "/d", 0, "http://h/d"},
        {"http://h/a/b/c", "https://x/y", 0, "https://x/y"},
        {"http://h/a/b/c", "./../d", 0, "http://h/a/b/../d"},
        {"http://h/a/b/c", " \t/d", 0, "http://h/d"},
        {"http://h/a/b/c", " http://x/", 0, "http://h/a/b/http://x/"},
        {"http://h/a/b/c", "x1:y", 0, "http://h/a/b/x1:y"},
        {"http://h", "d", 0, "http://h/d"},
        {"http://h/a?q=1/2", "d", 0, "http://h/a?q=1/d"},
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


// URL encoding keeps a safe set; base64 makes groups of three bytes with
// padding, and a line break after every 76 characters.
TEST(Encoding, UrlAndBase64)
{
    const std::string line(76, 'A');
    const struct { bool base64; std::string in, out; } cases[] = {
        {false, "a-b_c.d,e:f|g", "a-b_c.d,e:f|g"}, {false, "~", "%7E"}, {false, "+", "%2B"}, {false, " ", "+"},
        {false, "a b&c=d/e%f*", "a+b%26c%3Dd%2Fe%25f%2A"}, {false, std::string("\0\xFF", 2), "%00%FF"}, {false, "", ""},
        {true, "", ""}, {true, "f", "Zg=="}, {true, "fo", "Zm8="}, {true, "foobar", "Zm9vYmFy"}, {true, "\xFF\xFE\xFD", "//79"},
        {true, std::string(55, '\0'), std::string(72, 'A') + "AA=="}, {true, std::string(57, '\0'), line + "\r\n"},
        {true, std::string(58, '\0'), line + "\r\nAA=="}, {true, std::string(59, '\0'), line + "\r\nAAA="},
        {true, std::string(114, '\0'), line + "\r\n" + line + "\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.out, c.base64 ? Base64Encode(c.in) : UrlEncode(c.in)) << c.in.size() << " " << c.in;
}

// A replacement that holds the pattern is not searched again; an empty
// pattern replaces nothing.
TEST(Strings, ReplaceAll)
{
    for (auto [pattern, count, result] : {std::tuple{"a", 3, "aaaaaa"}, std::tuple{"", 0, "aaa"}}) {
        std::string text = "aaa";
        EXPECT_EQ(count, ReplaceAll(text, pattern, "aa"));
        EXPECT_EQ(result, text);
    }
}

TEST(Strings, NumbersSaturateLikeAtoi)
{
    EXPECT_EQ("-9223372036854775808", Int64ToString(INT64_MIN));
    EXPECT_EQ("0", Int64ToString(0));
    const std::pair<const char*, int> cases[] = {
        {" \t+12x", 12}, {"-7", -7}, {"abc", 0}, {"", 0}, {"- 5", 0}, {"99999999999999999999", INT_MAX},
        {"-99999999999999", INT_MIN}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(value, AtoiSaturated(text)) << text;
}

} // namespace
