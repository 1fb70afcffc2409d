#include "app/speech/GiftSound.h"

#include <algorithm>

bool CRateLimit::Take()
{
    const auto now = m_now();
    if (m_last && now - *m_last < m_gap)
        return false;
    m_last = now;
    return true;
}

void CGiftSound::RowsArrived(int, const std::vector<DanmuItem>& rows, bool backlog)
{
    if (!m_options.giftSound || backlog)
        return;
    if (std::any_of(rows.begin(), rows.end(), [](const DanmuItem& item) { return item.gift; }) && m_limit.Take())
        m_play();
}
