#include "ui/List.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>

#include "ui/qt/Widgets.h"

namespace DuiLib {

// The rows' layout. Rows whose height follows their width (wrapped text) do
// not raise the rows' minimum height, so the scroll area would not see that
// they need more room: when they get less than they need, it is told.
class RowsBox : public QBoxLayout {
public:
    RowsBox(QWidget* rows, QScrollArea* area) : QBoxLayout(QBoxLayout::TopToBottom, rows), m_area(area) {}
    void setGeometry(const QRect& r) override
    {
        QBoxLayout::setGeometry(r);
        if (m_growing || !hasHeightForWidth() || totalHeightForWidth(r.width()) <= r.height())
            return;
        m_growing = true; // the scroll area resizes the rows, which lays them out again
        QEvent request(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(m_area, &request);
        m_growing = false;
    }

private:
    QScrollArea* m_area;
    bool m_growing = false;
};

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
    auto* layout = new RowsBox(rows, area);
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
    QObject::connect(bar, &QScrollBar::actionTriggered, [this, bar] {
        // The user scrolls: up stops following the end, down to it resumes.
        m_stickToEnd = bar->sliderPosition() >= bar->maximum();
        Notify(u"scroll");
    });
    // However the view got there, at the end it follows the end again.
    QObject::connect(bar, &QScrollBar::valueChanged, [this, bar](int value) {
        if (value >= bar->maximum() && !m_stickToEnd) {
            m_stickToEnd = true;
            Notify(u"scroll");
        }
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

bool CListUI::AddAt(CControlUI* control, int index)
{
    const bool added = CContainerUI::AddAt(control, index);
    if (added && index <= m_curSel)
        ++m_curSel; // the selected row moves down with the others
    return added;
}

bool CListUI::Remove(CControlUI* control)
{
    m_curSel = -1;
    DropAnchor(control);
    return CContainerUI::Remove(control);
}

void CListUI::RemoveAll()
{
    m_curSel = -1;
    m_anchors.clear();
    CContainerUI::RemoveAll();
}

void CListUI::DropAnchor(const CControlUI* row)
{
    for (auto it = m_anchors.begin(); it != m_anchors.end(); ++it) {
        if (it->row == row) {
            m_anchors.erase(it);
            return;
        }
    }
}

void CListUI::BeginUpdate()
{
    m_anchors.clear();
    if (m_stickToEnd || !GetWidget())
        return;
    QScrollArea* area = AreaOf(this);
    const int top = area->verticalScrollBar()->value();
    const int bottom = top + area->viewport()->height();
    for (int i = 0; i < GetCount(); ++i) {
        QWidget* row = GetItemAt(i)->GetWidget();
        if (row && row->geometry().bottom() >= top && row->y() < bottom)
            m_anchors.push_back(Anchor{GetItemAt(i), row->y() - top});
    }
}

void CListUI::EndUpdate()
{
    std::vector<Anchor> anchors;
    anchors.swap(m_anchors);
    if (anchors.empty() || !GetWidget())
        return;
    QScrollArea* area = AreaOf(this);
    // Place the rows now (this also resizes the scrolled area), so that the
    // first row that stayed can be put back where it was.
    if (QLayout* layout = area->widget()->layout())
        layout->activate();
    const Anchor& kept = anchors.front();
    area->verticalScrollBar()->setValue(kept.row->GetWidget()->y() - kept.offset);
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
