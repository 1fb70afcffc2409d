#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "app/config/DanmuOptions.h"
#include "app/rows/WordMatcher.h"
#include "feed/DanmuItem.h"

// Which items the danmaku window leaves out under the options, and which it
// highlights. Made once when the options change (the word lists in UTF-16,
// folded); telling one item costs a pass over its nickname and text, however
// long the lists.
class CDanmuFilter {
public:
    CDanmuFilter() = default; // hides nothing
    explicit CDanmuFilter(const DanmuOptions& options);

    // Hidden: a notice (no message) when notices are hidden, a gift when
    // gifts are, an item whose nickname is blocked (whole, without its ":")
    // or whose message contains a blocked word. Nicknames and words match
    // Latin letters regardless of case (see LatinFold.h).
    bool Hides(const DanmuItem& item) const;
    // The items not hidden, in their order.
    std::vector<DanmuItem> Shown(std::vector<DanmuItem> items) const;
    // Drawn highlighted (and the kind read aloud when only those are): not
    // hidden, and its message contains a highlight word, matched as the
    // blocked words are. Hiding wins.
    bool IsHighlighted(const DanmuItem& item) const;

private:
    bool m_hideNotices = false;
    bool m_hideGifts = false;
    std::unordered_set<std::u16string> m_nicks; // folded
    CWordMatcher m_words;
    CWordMatcher m_highlights;
};
