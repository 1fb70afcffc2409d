// The words the window shows for a failed poll cycle.

#include "feed/PollOutcome.h"

#include <gtest/gtest.h>

namespace {

RequestOutcome Request(int error, int status, bool decoded)
{
    return RequestOutcome{"127.0.0.1:18081", error, status, decoded};
}

struct ReasonCase {
    const char* name;
    RequestOutcome online;
    RequestOutcome history;
    const char* reason;
};

void PrintTo(const ReasonCase& c, std::ostream* os) { *os << c.name; }

class PollOutcomeTest : public testing::TestWithParam<ReasonCase> {};

TEST_P(PollOutcomeTest, NamesTheFirstRequestThatFailed)
{
    const PollOutcome outcome{true, GetParam().online, GetParam().history};
    EXPECT_EQ(FailureReason(outcome), GetParam().reason);
    EXPECT_EQ(CycleSucceeded(outcome), std::string(GetParam().reason).empty());
}

const RequestOutcome kGood = Request(0, 200, true);

INSTANTIATE_TEST_SUITE_P(Cycles, PollOutcomeTest, testing::Values(
    ReasonCase{"BothGood", kGood, kGood, ""},
    ReasonCase{"UnknownHost", Request(-1, 0, false), kGood, "找不到服务器 127.0.0.1:18081"},
    ReasonCase{"NoSocket", Request(-2, 0, false), kGood, "无法连接 127.0.0.1:18081"},
    ReasonCase{"Refused", kGood, Request(-3, 0, false), "无法连接 127.0.0.1:18081"},
    ReasonCase{"TimedOut", kGood, Request(-4, 0, false), "服务器无响应 127.0.0.1:18081"},
    ReasonCase{"SendFailed", kGood, Request(-5, 0, false), "发送失败 127.0.0.1:18081"},
    ReasonCase{"ReceiveFailed", kGood, Request(-6, 200, false), "回复过大或中断 127.0.0.1:18081"},
    ReasonCase{"Unauthorised", kGood, Request(0, 401, false), "授权被拒绝 (401)"},
    ReasonCase{"Forbidden", kGood, Request(0, 403, false), "授权被拒绝 (403)"},
    ReasonCase{"ServerError", kGood, Request(0, 503, false), "服务器错误 (503)"},
    ReasonCase{"Unparsable", Request(0, 200, false), kGood, "服务器回复无法解析"},
    ReasonCase{"OnlineFirst", Request(-3, 0, false), Request(0, 401, false), "无法连接 127.0.0.1:18081"},
    // The design reads whatever body came: a readable one counts.
    ReasonCase{"ReadableDespiteStatus", Request(0, 500, true), Request(-6, 200, true), ""}),
    [](const testing::TestParamInfo<ReasonCase>& info) { return info.param.name; });

TEST(PollOutcomeTest, NothingIsWrongBeforeTheFirstCycle)
{
    EXPECT_EQ(FailureReason(PollOutcome{}), "");
    EXPECT_FALSE(CycleSucceeded(PollOutcome{}));
}

} // namespace
