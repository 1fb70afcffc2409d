#include "ui/Control.h"

#include <QPointer>
#include <QWidget>

#include "ui/PaintManager.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Widgets.h"

namespace DuiLib {

CControlUI::CControlUI() : CControlUI(new Canvas) {}

CControlUI::CControlUI(QWidget* widget) : m_widget(widget)
{
    // The window may go first and take the widget with it.
    QObject::connect(widget, &QObject::destroyed, [this] { m_widget = nullptr; });
}

CControlUI::~CControlUI()
{
    if (m_widget) {
        QWidget* w = m_widget;
        // Only our own handlers (they have the widget as context) must not run
        // during the delete; others, such as Qt's accessibility cache, must
        // still hear that the widget is gone or they keep a dangling entry.
        w->disconnect(w);
        m_widget = nullptr;
        delete w;
    }
}

static Canvas* CanvasOf(QWidget* w)
{
    return dynamic_cast<Canvas*>(w);
}

static Look* LookOf(QWidget* w)
{
    if (Canvas* c = CanvasOf(w))
        return &c->look;
    if (auto* b = dynamic_cast<ButtonWidget*>(w))
        return &b->look;
    return nullptr;
}

CDuiString CControlUI::GetText() const
{
    if (Canvas* c = CanvasOf(m_widget))
        return FromQ(c->text);
    if (auto* b = dynamic_cast<ButtonWidget*>(m_widget))
        return FromQ(b->label);
    return CDuiString();
}

void CControlUI::SetText(LPCTSTR text)
{
    if (Canvas* c = CanvasOf(m_widget)) {
        c->text = ToQ(text);
        c->TextChanged();
    } else if (auto* b = dynamic_cast<ButtonWidget*>(m_widget)) {
        b->label = ToQ(text);
        b->updateGeometry();
        b->update();
    }
}

CDuiString CControlUI::GetBkImage() const
{
    Look* look = LookOf(m_widget);
    return look ? FromQ(look->image) : CDuiString();
}

void CControlUI::SetBkImage(LPCTSTR image)
{
    if (Look* look = LookOf(m_widget)) {
        look->image = ToQ(image);
        m_widget->update();
    }
}

void CControlUI::SetFixedHeight(int height)
{
    if (m_widget)
        m_widget->setFixedHeight(height);
}

void CControlUI::SetFixedWidth(int width)
{
    if (m_widget)
        m_widget->setFixedWidth(width);
}

void CControlUI::SetMinHeight(int height)
{
    if (m_widget)
        m_widget->setMinimumHeight(height);
}

// As wide as its text, never narrower than its minimum width.
void CControlUI::FitWidthToText()
{
    if (!m_widget)
        return;
    m_widget->setMinimumWidth(0);
    m_widget->setMaximumWidth(QWIDGETSIZE_MAX);
    m_widget->setSizePolicy(QSizePolicy::Fixed, m_widget->sizePolicy().verticalPolicy());
}

int CControlUI::GetFixedHeight() const
{
    return m_widget && m_widget->minimumHeight() == m_widget->maximumHeight() ? m_widget->maximumHeight() : 0;
}

void CControlUI::SetVisible(bool visible)
{
    if (m_widget)
        m_widget->setVisible(visible);
}

bool CControlUI::IsVisible() const
{
    return m_widget && m_widget->isVisible();
}

void CControlUI::SetAttribute(LPCTSTR name, LPCTSTR value)
{
    if (!m_widget)
        return;
    QString n = ToQ(name), v = ToQ(value);
    if (n == "name") SetName(value);
    else if (n == "text") SetText(value);
    else if (n == "width" && v == "auto") FitWidthToText();
    else if (n == "width") SetFixedWidth(v.toInt());
    else if (n == "height") SetFixedHeight(v.toInt());
    else if (n == "minwidth") m_widget->setMinimumWidth(v.toInt());
    else if (n == "minheight") SetMinHeight(v.toInt());
    else if (n == "visible") SetVisible(v != "false");
    else if (n == "enabled") m_widget->setEnabled(v != "false");
    else if (n == "tooltip") m_widget->setToolTip(PlainTip(v));
    else if (n == "fontsize" || n == "bold") {
        QFont f = m_widget->font();
        if (n == "fontsize") f.setPixelSize(qMax(1, v.toInt()));
        else f.setBold(v == "true");
        m_widget->setFont(f);
        m_ownFont = true;
    } else if (Look* look = LookOf(m_widget)) {
        SetLookAttribute(*look, n, v);
        if (n == "maxwidth") // a bounded label never takes more than its text
            m_widget->setSizePolicy(QSizePolicy::Maximum, m_widget->sizePolicy().verticalPolicy());
        if (Canvas* c = CanvasOf(m_widget))
            c->TextChanged(); // the lines, size and look may have changed
    }
}

CControlUI* CControlUI::FindControl(LPCTSTR name)
{
    return m_name == name ? this : nullptr;
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent)
{
    m_manager = manager;
    m_parent = parent;
    if (manager && m_widget && !m_ownFont)
        manager->ApplyDefaultFont(m_widget);
}

void CControlUI::Notify(LPCTSTR type, WPARAM wParam, LPARAM lParam)
{
    if (m_manager)
        m_manager->SendNotify(this, type, wParam, lParam);
}

} // namespace DuiLib
