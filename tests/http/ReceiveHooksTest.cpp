// The header and body hooks of a receive.
#include "http/HttpResponse.h"

#include <gtest/gtest.h>

#include "MemoryReceive.h"

namespace {

// Records what the hooks are given, and answers with the results set.
struct Hooks {
    std::vector<std::string> contentTypes;
    std::vector<int> totals, offsets;
    std::string header, data;
    int headerResult = 0, dataResult = 0;

    static int OnHeader(void* user, const char* text, int length)
    {
        auto* self = static_cast<Hooks*>(user);
        self->header.assign(text, static_cast<std::size_t>(length));
        return self->headerResult;
    }
    static int OnData(void* user, const char* type, int total, int offset, const char* data, int length)
    {
        auto* self = static_cast<Hooks*>(user);
        self->contentTypes.push_back(type);
        self->totals.push_back(total);
        self->offsets.push_back(offset);
        self->data.append(data, static_cast<std::size_t>(length));
        return self->dataResult;
    }
};

// Without a range the total is the length, and unknown (-1) without one; a
// chunked body arrives decoded, a 404 keeps its body, a large one comes in
// pieces of 1 MiB; a hook's refusal fails the receive and is kept.
TEST(ReceiveHooks, WhatTheHooksAreGivenAndAnswer)
{
    const std::string big((5 << 20) / 2, 'b');
    const std::string ranged = "HTTP/1.1 206 Partial\r\nContent-Type: a/b\r\nContent-Range: Bytes 100-199/1000\r\n"
                               "Content-Length: " + std::to_string(big.size()) + "\r\n\r\n" + big;
    const char hello[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";
    const struct { const char* name; std::vector<std::string> pieces; int headerResult, dataResult, result; std::string hooked;
                   std::vector<int> offsets, totals; const char* body; } cases[] = {
        {"Length", {hello}, 0, 0, 0, "hello", {0}, {5}, ""},
        {"Range", {ranged}, 0, 0, 0, big, {100, 100 + (1 << 20), 100 + (2 << 20)}, {1000, 1000, 1000}, ""},
        {"Chunked", OneByteEach("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n1\r\n!\r\n0\r\n\r\n"),
         0, 0, 0, "hello!", {0}, {-1}, ""},
        {"NotFound", {"HTTP/1.1 404 No\r\nContent-Length: 5\r\n\r\nhello"}, 0, 0, 0, "", {}, {}, "hello"},
        {"HeaderRefused", {hello}, 3, 0, -1, "", {}, {}, ""},
        {"DataRefused", {hello}, 0, -9, -1, "hello", {0}, {5}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Hooks hooks;
        hooks.headerResult = c.headerResult;
        hooks.dataResult = c.dataResult;
        CHttpResponse response;
        response.m_onHeader = &Hooks::OnHeader;
        response.m_onHeaderUser = &hooks;
        response.m_onData = &Hooks::OnData;
        response.m_onDataUser = &hooks;
        EXPECT_EQ(c.result, ReceiveFrom(c.pieces, response));
        EXPECT_EQ(response.m_rawHeader, hooks.header);
        EXPECT_TRUE(c.hooked == hooks.data);
        EXPECT_EQ(c.offsets, hooks.offsets);
        EXPECT_EQ(c.totals, hooks.totals);
        EXPECT_EQ(c.body, response.m_body);
        EXPECT_EQ(c.headerResult, response.m_headerResult);
        EXPECT_EQ(c.dataResult, response.m_dataResult);
        EXPECT_EQ(c.dataResult != 0, response.m_dataCalled);  // else cleared by the final parse
        if (c.name == std::string("Range")) {
            EXPECT_EQ("a/b", hooks.contentTypes.at(0));
        }
    }
}

} // namespace
