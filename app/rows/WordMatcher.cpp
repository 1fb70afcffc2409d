#include "app/rows/WordMatcher.h"

#include <deque>

#include "app/rows/LatinFold.h"

namespace {

std::uint64_t EdgeKey(int state, char16_t unit)
{
    return static_cast<std::uint64_t>(state) << 16 | unit;
}

} // namespace

CWordMatcher::CWordMatcher(const std::vector<std::u16string>& words)
{
    for (const std::u16string& word : words)
        AddWord(word);
    LinkFallbacks();
}

void CWordMatcher::AddWord(const std::u16string& word)
{
    if (word.empty())
        return;
    int state = 0;
    for (char16_t unit : word) {
        unit = FoldLatin(unit);
        int next = Next(state, unit);
        if (next < 0) {
            next = static_cast<int>(m_states.size());
            m_states.emplace_back();
            m_edges.emplace(EdgeKey(state, unit), next);
        }
        state = next;
    }
    m_states[state].ends = true;
}

// Breadth first, so that a state's fallback is always linked before it.
void CWordMatcher::LinkFallbacks()
{
    std::vector<std::vector<std::pair<char16_t, int>>> children(m_states.size());
    for (const auto& [key, to] : m_edges)
        children[key >> 16].emplace_back(static_cast<char16_t>(key & 0xFFFF), to);
    std::deque<int> queue{0};
    while (!queue.empty()) {
        const int from = queue.front();
        queue.pop_front();
        for (const auto& [unit, to] : children[from]) {
            const int fallback = from == 0 ? 0 : Step(m_states[from].fallback, unit);
            m_states[to].fallback = fallback;
            m_states[to].ends = m_states[to].ends || m_states[fallback].ends;
            queue.push_back(to);
        }
    }
}

int CWordMatcher::Next(int state, char16_t unit) const
{
    const auto edge = m_edges.find(EdgeKey(state, unit));
    return edge == m_edges.end() ? -1 : edge->second;
}

int CWordMatcher::Step(int state, char16_t unit) const
{
    for (;;) {
        const int next = Next(state, unit);
        if (next >= 0)
            return next;
        if (state == 0)
            return 0;
        state = m_states[state].fallback;
    }
}

bool CWordMatcher::FoundIn(std::u16string_view text) const
{
    if (m_states.size() == 1)
        return false;
    int state = 0;
    for (char16_t unit : text) {
        state = Step(state, FoldLatin(unit));
        if (m_states[state].ends)
            return true;
    }
    return false;
}
