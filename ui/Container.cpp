#include "ui/Container.h"

#include <QBoxLayout>
#include <QStringList>
#include <QWidget>
#include <algorithm>

#include "ui/qt/QtText.h"
#include "ui/qt/Widgets.h"

namespace DuiLib {

static QBoxLayout* NewLayout(QWidget* owner, QBoxLayout::Direction direction)
{
    auto* layout = new QBoxLayout(direction, owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

CContainerUI::CContainerUI(QWidget* widget, QBoxLayout* layout) : CControlUI(widget), m_layout(layout) {}

CContainerUI::~CContainerUI()
{
    RemoveAll();
}

CControlUI* CContainerUI::GetItemAt(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[index] : nullptr;
}

int CContainerUI::GetCount() const
{
    return static_cast<int>(m_items.size());
}

bool CContainerUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CContainerUI::AddAt(CControlUI* control, int index)
{
    if (!control)
        return false;
    if (!control->GetWidget()) {
        delete control;
        return false;
    }
    index = std::clamp(index, 0, GetCount());
    m_items.insert(m_items.begin() + index, control);
    control->SetManager(GetManager(), this);
    // Children come first in the layout, before any trailing stretch.
    m_layout->insertWidget(index, control->GetWidget());
    return true;
}

bool CContainerUI::Remove(CControlUI* control)
{
    auto it = std::find(m_items.begin(), m_items.end(), control);
    if (it == m_items.end())
        return false;
    m_items.erase(it);
    delete control;
    return true;
}

void CContainerUI::RemoveAll()
{
    std::vector<CControlUI*> items;
    items.swap(m_items);
    for (CControlUI* item : items)
        delete item;
}

bool CContainerUI::SetSubControlText(LPCTSTR name, LPCTSTR text)
{
    CControlUI* c = FindControl(name);
    if (c)
        c->SetText(text);
    return c != nullptr;
}

bool CContainerUI::SetSubControlBkImage(LPCTSTR name, LPCTSTR image)
{
    CControlUI* c = FindControl(name);
    if (c)
        c->SetBkImage(image);
    return c != nullptr;
}

void CContainerUI::SetAttribute(LPCTSTR name, LPCTSTR value)
{
    QString n = ToQ(name);
    if (n == "inset") {
        QStringList p = ToQ(value).split(',');
        if (p.size() == 4)
            m_layout->setContentsMargins(p[0].toInt(), p[1].toInt(), p[2].toInt(), p[3].toInt());
    } else if (n == "childpadding") {
        m_layout->setSpacing(ToQ(value).toInt());
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

CControlUI* CContainerUI::FindControl(LPCTSTR name)
{
    if (CControlUI* self = CControlUI::FindControl(name))
        return self;
    for (CControlUI* item : m_items)
        if (CControlUI* found = item->FindControl(name))
            return found;
    return nullptr;
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent)
{
    CControlUI::SetManager(manager, parent);
    for (CControlUI* item : m_items)
        item->SetManager(manager, this);
}

static Canvas* NewBox(QBoxLayout::Direction direction)
{
    auto* box = new Canvas;
    NewLayout(box, direction);
    return box;
}

CContainerUI::CContainerUI(QWidget* box) : CContainerUI(box, static_cast<QBoxLayout*>(box->layout())) {}

CVerticalLayoutUI::CVerticalLayoutUI() : CContainerUI(NewBox(QBoxLayout::TopToBottom)) {}

CHorizontalLayoutUI::CHorizontalLayoutUI() : CContainerUI(NewBox(QBoxLayout::LeftToRight)) {}

} // namespace DuiLib
