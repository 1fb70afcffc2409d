#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Tells whether a text contains any word of a set, Latin letters matched
// regardless of case (see LatinFold.h). Made once for the set; each look
// passes over the text once, at most two steps a unit on average, however
// many words there are (an Aho-Corasick automaton).
class CWordMatcher {
public:
    CWordMatcher() = default; // matches nothing
    // Empty words are left out. Costs time and memory in proportion to the
    // words' total length.
    explicit CWordMatcher(const std::vector<std::u16string>& words);

    bool FoundIn(std::u16string_view text) const;

private:
    struct State {
        int fallback = 0;  // the longest proper suffix that is also a state
        bool ends = false; // a word ends here or at a fallback of it
    };
    void AddWord(const std::u16string& word);
    void LinkFallbacks();
    // The state after `unit` from `state`, or -1 when the words go no further.
    int Next(int state, char16_t unit) const;
    // Where `unit` leads from `state`, following fallbacks as needed.
    int Step(int state, char16_t unit) const;

    std::vector<State> m_states{State{}}; // the root: nothing matched yet
    std::unordered_map<std::uint64_t, int> m_edges; // (state << 16 | unit) -> state
};
