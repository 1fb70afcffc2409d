#include "app/rows/RowFade.h"

#include <algorithm>

std::size_t CRowFade::Update(std::size_t size, std::size_t firstNew, std::time_t now, int fadeSeconds)
{
    const std::size_t kept = std::min(firstNew, m_arrived.size());
    m_arrived.erase(m_arrived.begin(), m_arrived.end() - static_cast<std::ptrdiff_t>(kept));
    m_arrived.resize(size, now);
    if (fadeSeconds <= 0)
        return 0;
    std::size_t faded = 0;
    while (faded < m_arrived.size() && now - m_arrived[faded] >= fadeSeconds)
        ++faded;
    return faded;
}
