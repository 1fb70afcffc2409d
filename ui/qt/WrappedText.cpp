#include "ui/qt/WrappedText.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QTextOption>

namespace DuiLib {

static QString OneParagraph(QString text)
{
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == 0x2028 || u == 0x2029)
            c = u' ';
    }
    return text;
}

QStringList WrappedLines(const QFont& font, const QString& text, int width, int maxLines)
{
    const QString flat = OneParagraph(text);
    QStringList lines;
    if (flat.isEmpty() || maxLines < 1)
        return lines;
    width = qMax(1, width);
    QTextLayout layout(flat, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            // The last line allowed takes the rest, cut to fit.
            lines << QFontMetrics(font).elidedText(flat.mid(line.textStart()), Qt::ElideRight, width);
            break;
        }
        lines << flat.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

} // namespace DuiLib
