#include "ui/DuiString.h"

#include <cstdarg>

namespace DuiLib {

static void AppendNumber(std::u16string& out, long long value)
{
    std::string digits = std::to_string(value);
    out.append(digits.begin(), digits.end());
}

std::u16string FormatWide(LPCTSTR format, va_list args)
{
    std::u16string out;
    for (const char16_t* p = format ? format : u""; *p; ++p) {
        if (*p != u'%') {
            out += *p;
            continue;
        }
        switch (*++p) {
        case u'd': AppendNumber(out, va_arg(args, int)); break;
        case u'u': AppendNumber(out, va_arg(args, unsigned)); break;
        case u's': {
            const char16_t* s = va_arg(args, const char16_t*);
            out += s ? s : u"";
            break;
        }
        case u'%': out += u'%'; break;
        case 0: return out; // a lone '%' at the end
        default: out += u'%'; out += *p; break;
        }
    }
    return out;
}

int CDuiString::Format(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    m_text = FormatWide(format, args);
    va_end(args);
    return GetLength();
}

} // namespace DuiLib
