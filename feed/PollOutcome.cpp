#include "feed/PollOutcome.h"

namespace {

// The words for a transfer that failed, by its result code.
std::string TransferReason(const RequestOutcome& request)
{
    switch (request.error) {
    case -1:
        return "找不到服务器 " + request.host;
    case -2:
    case -3:
        return "无法连接 " + request.host;
    case -4:
        return "服务器无响应 " + request.host;
    case -5:
        return "发送失败 " + request.host;
    default:
        return "回复过大或中断 " + request.host;
    }
}

// The words for a reply that came whole but could not be read.
std::string ReplyReason(const RequestOutcome& request)
{
    if (request.status == 401 || request.status == 403) {
        return "授权被拒绝 (" + std::to_string(request.status) + ")";
    }
    if (request.status < 200 || request.status > 299) {
        return "服务器错误 (" + std::to_string(request.status) + ")";
    }
    return "服务器回复无法解析";
}

std::string RequestReason(const RequestOutcome& request)
{
    // A reply that could be read counts, whatever the transfer reported.
    if (request.decoded) {
        return std::string();
    }
    return request.error != 0 ? TransferReason(request) : ReplyReason(request);
}

} // namespace

bool CycleSucceeded(const PollOutcome& outcome)
{
    return outcome.reported && outcome.online.decoded && outcome.history.decoded;
}

std::string FailureReason(const PollOutcome& outcome)
{
    if (!outcome.reported) {
        return std::string();
    }
    const std::string online = RequestReason(outcome.online);
    return online.empty() ? RequestReason(outcome.history) : online;
}
