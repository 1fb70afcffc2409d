#pragma once

#include <string>

// Case folding for Latin letters only, one UTF-16 unit at a time: A-Z, the
// Latin-1 capitals À-Þ (but not ×) and the full-width Ａ-Ｚ become small
// letters. Other letters (Greek, Cyrillic, Latin Extended, ß, the Turkish
// dotted I) stay as they are: such a fold keeps every text's length, needs
// no tables and no locale, and never touches half of a surrogate pair.
inline char16_t FoldLatin(char16_t c)
{
    const bool upper = (c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE' && c != u'\u00D7')
        || (c >= u'\uFF21' && c <= u'\uFF3A');
    return upper ? static_cast<char16_t>(c + 0x20) : c;
}

inline std::u16string FoldLatin(std::u16string text)
{
    for (char16_t& c : text)
        c = FoldLatin(c);
    return text;
}
