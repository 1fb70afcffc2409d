#pragma once

// Internal: conversions between the library's wide text and Qt's.

#include <QString>

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

} // namespace DuiLib
