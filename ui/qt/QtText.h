#pragma once

// Internal: conversions between the library's wide text and Qt's.

#include <QString>
#include <QTextDocument>

#include "ui/DuiString.h"

namespace DuiLib {

inline QString ToQ(LPCTSTR text)
{
    return text ? QString::fromUtf16(text) : QString();
}

inline CDuiString FromQ(const QString& text)
{
    return CDuiString(text.toStdU16String());
}

// A tip shown as the plain text it is. Qt shows a tip as rich text when it
// looks like markup; such a text is escaped and marked as rich text so that
// it shows literally, and any other text is left as it is (escaping it would
// show "&amp;" for "&").
inline QString PlainTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return "<p style=\"white-space:pre\">" + text.toHtmlEscaped() + "</p>";
}

} // namespace DuiLib
