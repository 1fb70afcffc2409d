// The words the window shows for a failed poll cycle.

#include "feed/PollOutcome.h"

#include <gtest/gtest.h>

namespace {

RequestOutcome Request(int error, int status, bool decoded)
{
    return RequestOutcome{"127.0.0.1:18081", error, status, decoded};
}

TEST(PollOutcomeTest, NamesTheFirstRequestThatFailed)
{
    const RequestOutcome kGood = Request(0, 200, true);
    const struct { const char* name; RequestOutcome online, history; const char* reason; } cases[] = {
        {"BothGood", kGood, kGood, ""},
        {"UnknownHost", Request(-1, 0, false), kGood, "找不到服务器 127.0.0.1:18081"},
        {"NoSocket", Request(-2, 0, false), kGood, "无法连接 127.0.0.1:18081"},
        {"Refused", kGood, Request(-3, 0, false), "无法连接 127.0.0.1:18081"},
        {"TimedOut", kGood, Request(-4, 0, false), "服务器无响应 127.0.0.1:18081"},
        {"SendFailed", kGood, Request(-5, 0, false), "发送失败 127.0.0.1:18081"},
        {"ReceiveFailed", kGood, Request(-6, 200, false), "回复过大或中断 127.0.0.1:18081"},
        {"Unauthorised", kGood, Request(0, 401, false), "授权被拒绝 (401)"},
        {"ServerError", kGood, Request(0, 503, false), "服务器错误 (503)"},
        {"Unparsable", Request(0, 200, false), kGood, "服务器回复无法解析"},
        {"OnlineFirst", Request(-3, 0, false), Request(0, 401, false), "无法连接 127.0.0.1:18081"},
        // Whatever body came is read: a readable one counts.
        {"ReadableDespiteStatus", Request(0, 500, true), Request(-6, 200, true), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PollOutcome outcome{true, c.online, c.history};
        EXPECT_EQ(FailureReason(outcome), c.reason);
        EXPECT_EQ(CycleSucceeded(outcome), std::string(c.reason).empty());
    }
}

TEST(PollOutcomeTest, NothingIsWrongBeforeTheFirstCycle)
{
    EXPECT_EQ(FailureReason(PollOutcome{}), "");
    EXPECT_FALSE(CycleSucceeded(PollOutcome{}));
}

} // namespace
