#include "ui/TextArea.h"

#include <QPlainTextEdit>
#include <functional>

#include "ui/qt/QtText.h"
#include "ui/qt/Widgets.h"

namespace DuiLib {

namespace {

// QPlainTextEdit takes only the plain text of what is pasted or dropped.
class TextAreaWidget : public QPlainTextEdit {
public:
    TextAreaWidget()
    {
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setTabChangesFocus(true);
    }
    std::function<void()> onFocusOut;

protected:
    void focusOutEvent(QFocusEvent* e) override
    {
        QPlainTextEdit::focusOutEvent(e);
        if (onFocusOut)
            onFocusOut();
    }
};

TextAreaWidget* AreaOf(const CControlUI* c)
{
    return static_cast<TextAreaWidget*>(c->GetWidget());
}

} // namespace

CTextAreaUI::CTextAreaUI() : CControlUI(new TextAreaWidget)
{
    AreaOf(this)->onFocusOut = [this] { Notify(u"killfocus"); };
}

CDuiString CTextAreaUI::GetText() const
{
    return GetWidget() ? FromQ(AreaOf(this)->toPlainText()) : CDuiString();
}

void CTextAreaUI::SetText(LPCTSTR text)
{
    if (GetWidget())
        AreaOf(this)->setPlainText(ToQ(text));
}

void CTextAreaUI::SetAttribute(LPCTSTR name, LPCTSTR value)
{
    if (!GetWidget())
        return;
    QString n = ToQ(name), v = ToQ(value);
    if (n == "tipvalue")
        AreaOf(this)->setPlaceholderText(v);
    else if (!SetFieldColour(AreaOf(this), "QPlainTextEdit", "1px 2px", n, v))
        CControlUI::SetAttribute(name, value);
}

} // namespace DuiLib
