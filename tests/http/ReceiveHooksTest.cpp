// The header and body hooks of a receive.
#include "http/HttpResponse.h"

#include <gtest/gtest.h>

#include "MemoryReceive.h"

namespace {

// Records what the hooks are given.
struct Hooks {
    std::vector<std::string> contentTypes;
    std::vector<int> totals, offsets;
    std::string data;
    int dataResult = 0;
    int headerResult = 0;
    std::string header;

    static int OnHeader(void* user, const char* text, int length)
    {
        auto* self = static_cast<Hooks*>(user);
        self->header.assign(text, static_cast<std::size_t>(length));
        return self->headerResult;
    }
    static int OnData(void* user, const char* type, int total, int offset, const char* data,
                      int length)
    {
        auto* self = static_cast<Hooks*>(user);
        self->contentTypes.push_back(type);
        self->totals.push_back(total);
        self->offsets.push_back(offset);
        self->data.append(data, static_cast<std::size_t>(length));
        return self->dataResult;
    }
    void Install(CHttpResponse& response)
    {
        response.m_onHeader = &OnHeader;
        response.m_onHeaderUser = this;
        response.m_onData = &OnData;
        response.m_onDataUser = this;
    }
};

class ReceiveHooks : public testing::Test {
protected:
    void SetUp() override { hooks.Install(response); }
    Hooks hooks;
    CHttpResponse response;
};

TEST_F(ReceiveHooks, BodyGoesToTheHookInPiecesWithRange)
{
    const std::string body((5 << 20) / 2, 'b');
    const std::string head = "HTTP/1.1 206 Partial\r\nContent-Type: a/b\r\nContent-Range: "
                             "Bytes 100-199/1000\r\nContent-Length: " +
                             std::to_string(body.size()) + "\r\n\r\n";
    ASSERT_EQ(0, ReceiveFrom({head + body}, response));
    EXPECT_EQ(head, hooks.header);
    EXPECT_EQ(body, hooks.data);
    EXPECT_EQ((std::vector<int>{100, 100 + (1 << 20), 100 + (2 << 20)}), hooks.offsets);
    EXPECT_EQ((std::vector<int>{1000, 1000, 1000}), hooks.totals);
    EXPECT_EQ("a/b", hooks.contentTypes[0]);
    EXPECT_EQ("", response.m_body);
    EXPECT_EQ(0, response.m_dataCalled);  // cleared again by the final parse
}

// Without a range the total is the length; a chunked body arrives decoded;
// a 404 keeps its body in the response.
TEST_F(ReceiveHooks, WhatTheHookIsGiven)
{
    const struct {
        std::vector<std::string> pieces;
        const char* hooked;
        std::vector<int> offsets, totals;
        const char* body;
    } cases[] = {
        {{"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"}, "hello", {0}, {5}, ""},
        {OneByteEach("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                     "5\r\nhello\r\n1\r\n!\r\n0\r\n\r\n"),
         "hello!", {0}, {-1}, ""},  // no length: the total is unknown
        {{"HTTP/1.1 404 No\r\nContent-Length: 5\r\n\r\nhello"}, "", {}, {}, "hello"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Hooks fresh;
        CHttpResponse received;
        fresh.Install(received);
        ASSERT_EQ(0, ReceiveFrom(c.pieces, received));
        EXPECT_EQ(c.hooked, fresh.data);
        EXPECT_EQ(c.offsets, fresh.offsets);
        EXPECT_EQ(c.totals, fresh.totals);
        EXPECT_EQ(c.body, received.m_body);
    }
}

TEST_F(ReceiveHooks, RefusalsFailTheReceive)
{
    hooks.headerResult = 3;
    EXPECT_EQ(-1, ReceiveFrom({"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"}, response));
    EXPECT_EQ(1, response.m_headerCalled);
    EXPECT_EQ(3, response.m_headerResult);
    EXPECT_EQ(0, response.m_dataCalled);

    hooks.headerResult = 0;
    hooks.dataResult = -9;
    EXPECT_EQ(-1, ReceiveFrom({"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"}, response));
    EXPECT_EQ(1, response.m_dataCalled);
    EXPECT_EQ(-9, response.m_dataResult);
    EXPECT_EQ("", response.m_body);
}

} // namespace
