#include "app/rows/DanmuRows.h"

#include <algorithm>
#include <memory>

#include "app/rows/LevelBadge.h"

using namespace DuiLib;

namespace {

constexpr int kRowHeight = 22;
// A wrapped message takes at most this many lines; the last ends in "…".
constexpr LPCTSTR kWrappedLines = u"3";
// A highlighted row: a warm background, faded with the window's background,
// and a message colour that stands out at any opacity.
constexpr LPCTSTR kHighlightBackground = u"#FF7A5200";
constexpr LPCTSTR kHighlightText = u"#FFFFE45C";

// One row for the item, or null when the item layout cannot be built. A
// wrapping row is one line's height or more, as its message needs at the
// row's width; any other is one line.
CListContainerElementUI* NewRow(const DanmuItem& item, bool wrap, bool highlighted)
{
    CControlUI* content = CDialogBuilder().Create(u"danmu_item.xml");
    if (!content)
        return nullptr;
    if (highlighted)
        content->SetAttribute(u"bkcolor", kHighlightBackground);
    auto row = std::make_unique<CListContainerElementUI>();
    row->Add(content);
    if (CControlUI* badge = row->FindControl(u"level"))
        ShowLevelBadge(*badge, item.level);
    row->SetSubControlText(u"nick", item.nick.c_str());
    CControlUI* msg = row->FindControl(u"msg");
    if (msg)
        msg->SetText(item.msg.c_str());
    if (msg && highlighted)
        msg->SetAttribute(u"textcolor", kHighlightText);
    if (wrap && msg) {
        msg->SetAttribute(u"maxlines", kWrappedLines);
        row->SetMinHeight(kRowHeight);
    } else {
        row->SetFixedHeight(kRowHeight);
    }
    return row.release();
}

} // namespace

int CDanmuRows::Sync(CContainerUI& list, const std::vector<DanmuItem>& items)
{
    std::size_t row = 0;
    int added = 0;
    for (const DanmuItem& item : items) {
        if (row < m_shown.size() && m_shown[row] == item) {
            ++row;
            continue;
        }
        // Rows that left the snapshot go; an item never shown gets a row.
        auto later = std::find(m_shown.begin() + row, m_shown.end(), item);
        if (later != m_shown.end()) {
            RemoveRows(list, row, later - m_shown.begin());
            ++row;
        } else if (InsertRow(list, row, item)) {
            ++row;
            ++added;
        }
    }
    RemoveRows(list, row, m_shown.size());
    return added;
}

void CDanmuRows::Clear(CContainerUI& list)
{
    list.RemoveAll();
    m_shown.clear();
}

void CDanmuRows::RemoveRows(CContainerUI& list, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i)
        list.Remove(list.GetItemAt(static_cast<int>(from)));
    m_shown.erase(m_shown.begin() + from, m_shown.begin() + to);
}

bool CDanmuRows::InsertRow(CContainerUI& list, std::size_t at, const DanmuItem& item)
{
    const bool highlighted = m_highlighted && m_highlighted(item);
    if (!list.AddAt(NewRow(item, m_wrap, highlighted), static_cast<int>(at)))
        return false;
    m_shown.insert(m_shown.begin() + at, item);
    return true;
}
