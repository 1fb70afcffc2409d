#include "app/windows/FeedStatus.h"

#include <utility>

bool CFeedStatus::Update(const PollOutcome& outcome, Clock::time_point now)
{
    if (CycleSucceeded(outcome))
        m_lastGood = now;
    std::string reason = FailureReason(outcome);
    if (reason == m_reason)
        return false;
    m_reason = std::move(reason);
    return true;
}

std::string CFeedStatus::Details(Clock::time_point now) const
{
    if (!m_lastGood)
        return m_reason + "\n尚未成功更新";
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now - *m_lastGood).count();
    return m_reason + "\n上次成功更新: " + std::to_string(seconds) + " 秒前";
}

std::string CFeedStatus::LogLine() const
{
    return Failed() ? "feed: 连接中断: " + m_reason : "feed: 已恢复";
}
