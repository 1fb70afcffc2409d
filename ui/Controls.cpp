#include "ui/Controls.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "ui/PaintManager.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Widgets.h"

namespace DuiLib {

static ButtonWidget* ButtonOf(const CControlUI* c)
{
    return static_cast<ButtonWidget*>(c->GetWidget());
}

CButtonUI::CButtonUI() : CButtonUI(false)
{
    QObject::connect(ButtonOf(this), &QAbstractButton::clicked, [this] { Notify(u"click"); });
}

CButtonUI::CButtonUI(bool option) : CControlUI(new ButtonWidget(option)) {}

COptionUI::COptionUI() : CButtonUI(true)
{
    QObject::connect(ButtonOf(this), &QAbstractButton::toggled, [this](bool on) {
        if (on || m_group.IsEmpty())
            Notify(u"selectchanged");
    });
}

bool COptionUI::IsSelected() const
{
    return GetWidget() && ButtonOf(this)->isChecked();
}

void COptionUI::Selected(bool selected, bool notify)
{
    if (!GetWidget())
        return;
    QSignalBlocker quiet(notify ? nullptr : ButtonOf(this));
    ButtonOf(this)->setChecked(selected);
}

void COptionUI::SetAttribute(LPCTSTR name, LPCTSTR value)
{
    QString n = ToQ(name);
    if (n == "group") {
        m_group = value;
        ButtonOf(this)->exclusive = !m_group.IsEmpty();
        ButtonOf(this)->update();
    } else if (n == "selected") {
        Selected(ToQ(value) == "true", false);
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent)
{
    CButtonUI::SetManager(manager, parent);
    if (manager && !m_group.IsEmpty() && GetWidget())
        manager->AddOptionToGroup(m_group, ButtonOf(this));
}

static QLineEdit* EditOf(const CControlUI* c)
{
    return static_cast<QLineEdit*>(c->GetWidget());
}

CEditUI::CEditUI() : CControlUI(new QLineEdit)
{
    QObject::connect(EditOf(this), &QLineEdit::returnPressed, [this] { Notify(u"return"); });
}

CDuiString CEditUI::GetText() const
{
    return GetWidget() ? FromQ(EditOf(this)->text()) : CDuiString();
}

void CEditUI::SetText(LPCTSTR text)
{
    if (GetWidget())
        EditOf(this)->setText(ToQ(text));
}

void CEditUI::SetAttribute(LPCTSTR name, LPCTSTR value)
{
    if (!GetWidget())
        return;
    QString n = ToQ(name), v = ToQ(value);
    QLineEdit* edit = EditOf(this);
    if (n == "maxchar") {
        edit->setMaxLength(v.toInt());
    } else if (n == "tipvalue") {
        edit->setPlaceholderText(v);
    } else if (!SetFieldColour(edit, "QLineEdit", "0 6px", n, v)) {
        CControlUI::SetAttribute(name, value);
    }
}

static QSlider* SliderOf(const CControlUI* c)
{
    return static_cast<QSlider*>(c->GetWidget());
}

CProgressUI::CProgressUI() : CControlUI(new QSlider(Qt::Horizontal))
{
    QObject::connect(SliderOf(this), &QSlider::valueChanged, [this] { Notify(u"valuechanged"); });
}

int CProgressUI::GetValue() const
{
    return GetWidget() ? SliderOf(this)->value() : 0;
}

void CProgressUI::SetValue(int value)
{
    if (!GetWidget())
        return;
    QSignalBlocker quiet(SliderOf(this));
    SliderOf(this)->setValue(value);
}

void CProgressUI::SetMinValue(int value)
{
    if (GetWidget())
        SliderOf(this)->setMinimum(value);
}

void CProgressUI::SetMaxValue(int value)
{
    if (GetWidget())
        SliderOf(this)->setMaximum(value);
}

void CProgressUI::SetAttribute(LPCTSTR name, LPCTSTR value)
{
    QString n = ToQ(name);
    int v = ToQ(value).toInt();
    if (n == "min") SetMinValue(v);
    else if (n == "max") SetMaxValue(v);
    else if (n == "value") SetValue(v);
    else CControlUI::SetAttribute(name, value);
}

} // namespace DuiLib
