#include "ui/List.h"

#include <QBoxLayout>
#include <QScrollArea>
#include <QScrollBar>

#include "ui/Widgets.h"

namespace DuiLib {

static QScrollArea* NewScrollArea()
{
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A slim grey handle that reads on light and dark skins alike.
    area->verticalScrollBar()->setStyleSheet(
        "QScrollBar:vertical{width:6px;background:transparent;margin:0}"
        "QScrollBar::handle:vertical{background:#80909CB0;border-radius:3px;min-height:24px}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent}");
    auto* rows = new Canvas;
    auto* layout = new QBoxLayout(QBoxLayout::TopToBottom, rows);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1); // rows stay at the top; Add inserts before it
    area->setWidget(rows);
    // The list shows its container's background through it.
    rows->setAutoFillBackground(false);
    area->setAutoFillBackground(false);
    area->viewport()->setAutoFillBackground(false);
    return area;
}

static QScrollArea* AreaOf(const CControlUI* c)
{
    return static_cast<QScrollArea*>(c->GetWidget());
}

static QBoxLayout* RowsLayout(QScrollArea* area)
{
    return static_cast<QBoxLayout*>(area->widget()->layout());
}

CListUI::CListUI() : CListUI(NewScrollArea()) {}

CListUI::CListUI(QScrollArea* area) : CContainerUI(area, RowsLayout(area))
{
    QScrollBar* bar = area->verticalScrollBar();
    QObject::connect(bar, &QScrollBar::rangeChanged, [this, bar](int, int max) {
        if (m_stickToEnd)
            bar->setValue(max);
    });
    QObject::connect(bar, &QScrollBar::actionTriggered, [this] {
        m_stickToEnd = false; // the user scrolls: stop following the end
        Notify(u"scroll");
    });
}

void CListUI::EndDown()
{
    if (!GetWidget())
        return;
    m_stickToEnd = true;
    QScrollBar* bar = AreaOf(this)->verticalScrollBar();
    bar->setValue(bar->maximum());
}

bool CListUI::SelectItem(int index)
{
    if (index == m_curSel || !GetItemAt(index))
        return false;
    if (auto* old = dynamic_cast<CListContainerElementUI*>(GetItemAt(m_curSel)))
        old->SetSelected(false);
    m_curSel = index;
    if (auto* row = dynamic_cast<CListContainerElementUI*>(GetItemAt(index)))
        row->SetSelected(true);
    Notify(u"itemselect", static_cast<WPARAM>(index));
    return true;
}

bool CListUI::Remove(CControlUI* control)
{
    m_curSel = -1;
    return CContainerUI::Remove(control);
}

void CListUI::RemoveAll()
{
    m_curSel = -1;
    CContainerUI::RemoveAll();
}

static Canvas* NewRow()
{
    auto* row = new Canvas;
    auto* layout = new QBoxLayout(QBoxLayout::LeftToRight, row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return row;
}

CListContainerElementUI::CListContainerElementUI() : CContainerUI(NewRow())
{
    static_cast<Canvas*>(GetWidget())->onClick = [this] { Activate(); };
}

void CListContainerElementUI::Activate()
{
    Notify(u"itemclick");
    auto* list = dynamic_cast<CListUI*>(GetParent());
    if (!list)
        return;
    for (int i = 0; i < list->GetCount(); ++i)
        if (list->GetItemAt(i) == this)
            list->SelectItem(i);
}

void CListContainerElementUI::SetSelected(bool selected)
{
    if (auto* canvas = static_cast<Canvas*>(GetWidget())) {
        canvas->selected = selected;
        canvas->update();
    }
}

} // namespace DuiLib
