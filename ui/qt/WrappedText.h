#pragma once

// Internal: plain text broken into lines that fit a width.

#include <QFont>
#include <QString>
#include <QStringList>

namespace DuiLib {

// The lines `text` takes at `width` pixels, at most `maxLines` of them; when
// more would follow, the last one ends in "…". Breaks between words, or
// anywhere in a word too long for a line (CJK text has no spaces). Line
// breaks in the text count as spaces: a line is only ever made by the width.
// The caller bounds the text: the cost grows with its length.
QStringList WrappedLines(const QFont& font, const QString& text, int width, int maxLines);

} // namespace DuiLib
