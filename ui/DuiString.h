#pragma once

#include <cstdarg>
#include <string>

#include "ui/Win32.h"

namespace DuiLib {

// Wide (UTF-16) text as the windows handle it.
class CDuiString {
public:
    CDuiString() = default;
    CDuiString(LPCTSTR text) : m_text(text ? text : u"") {}
    CDuiString(std::u16string text) : m_text(std::move(text)) {}

    LPCTSTR GetData() const { return m_text.c_str(); }
    operator LPCTSTR() const { return m_text.c_str(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }

    // Replaces the text; the directives are those of wsprintfW.
    int Format(LPCTSTR format, ...);
    void Append(LPCTSTR text) { m_text += text ? text : u""; }
    CDuiString& operator+=(LPCTSTR text)
    {
        Append(text);
        return *this;
    }
    int Compare(LPCTSTR text) const { return m_text.compare(text ? text : u""); }
    bool operator==(LPCTSTR text) const { return Compare(text) == 0; }
    bool operator!=(LPCTSTR text) const { return Compare(text) != 0; }
    const std::u16string& Str() const { return m_text; }

private:
    std::u16string m_text;
};

// Formats like wsprintfW into a growing string.
std::u16string FormatWide(LPCTSTR format, va_list args);

class CPoint : public POINT {
public:
    CPoint(long px = 0, long py = 0) : POINT{px, py} {}
};

} // namespace DuiLib
