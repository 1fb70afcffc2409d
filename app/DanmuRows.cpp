#include "app/DanmuRows.h"

#include <algorithm>
#include <memory>

using namespace DuiLib;

namespace {

constexpr int kRowHeight = 22;

// One row for the item, or null when the item layout cannot be built.
CListContainerElementUI* NewRow(const DanmuItem& item)
{
    CControlUI* content = CDialogBuilder().Create(u"danmu_item.xml");
    if (!content)
        return nullptr;
    auto row = std::make_unique<CListContainerElementUI>();
    row->Add(content);
    CDuiString level;
    level.Format(u"%d.png", item.level);
    row->SetSubControlBkImage(u"level", level);
    row->SetSubControlText(u"nick", item.nick.c_str());
    row->SetSubControlText(u"msg", item.msg.c_str());
    row->SetFixedHeight(kRowHeight);
    return row.release();
}

} // namespace

int CDanmuRows::Sync(CContainerUI& list, const std::vector<DanmuItem>& items)
{
    std::size_t row = 0;
    auto next = items.begin();
    for (; next != items.end(); ++next, ++row) {
        if (row < m_shown.size() && m_shown[row] == *next)
            continue;
        // Rows that left the snapshot go; an item never shown ends the match.
        auto later = std::find(m_shown.begin() + row, m_shown.end(), *next);
        if (later == m_shown.end())
            break;
        RemoveRows(list, row, later - m_shown.begin());
    }
    RemoveRows(list, row, m_shown.size());
    int added = 0;
    for (; next != items.end(); ++next)
        added += AppendRow(list, *next) ? 1 : 0;
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

bool CDanmuRows::AppendRow(CContainerUI& list, const DanmuItem& item)
{
    if (!list.Add(NewRow(item)))
        return false;
    m_shown.push_back(item);
    return true;
}
