#include "app/rows/DanmuFilter.h"

#include <algorithm>

#include "app/rows/LatinFold.h"
#include "feed/ToWide.h"

namespace {

// The first kMaxBlockEntries entries in UTF-16: the settings file and the
// settings window keep no more, and the filter never costs more either.
std::vector<std::u16string> Wide(const std::vector<std::string>& entries)
{
    std::vector<std::u16string> wide;
    for (std::size_t i = 0; i < entries.size() && i < kMaxBlockEntries; ++i)
        wide.push_back(ToWide(entries[i], kMaxBlockEntryBytes));
    return wide;
}

// The nickname of an item: its nick without the ":" the decoder put after it.
std::u16string NameOf(const DanmuItem& item)
{
    const std::u16string& nick = item.nick;
    const bool marked = !nick.empty() && nick.back() == u':';
    return nick.substr(0, marked ? nick.size() - 1 : nick.size());
}

} // namespace

CDanmuFilter::CDanmuFilter(const DanmuOptions& options)
    : m_hideNotices(options.hideNotices), m_hideGifts(options.hideGifts), m_words(Wide(options.blockedWords)),
      m_highlights(Wide(options.highlightWords))
{
    for (const std::u16string& nick : Wide(options.blockedNicks))
        if (!nick.empty())
            m_nicks.insert(FoldLatin(nick));
}

bool CDanmuFilter::Hides(const DanmuItem& item) const
{
    if ((m_hideNotices && item.msg.empty()) || (m_hideGifts && item.gift))
        return true;
    if (!m_nicks.empty() && m_nicks.count(FoldLatin(NameOf(item))))
        return true;
    return m_words.FoundIn(item.msg);
}

std::vector<DanmuItem> CDanmuFilter::Shown(std::vector<DanmuItem> items) const
{
    items.erase(std::remove_if(items.begin(), items.end(), [this](const DanmuItem& item) { return Hides(item); }),
        items.end());
    return items;
}

bool CDanmuFilter::IsHighlighted(const DanmuItem& item) const
{
    return m_highlights.FoundIn(item.msg) && !Hides(item);
}
