// Text broken into lines for a wrapping label: at most so many lines, the
// last cut with "…", never half a character.

#include <QFont>
#include <QFontMetrics>

#include "tests/ui/TestWindow.h"
#include "ui/qt/WrappedText.h"

using namespace DuiLib;

namespace {

// fits: what one line holds.
TEST(WrappedTextTest, BreaksIntoAtMostTheLinesAllowedNeverInsideACharacter)
{
    UseTestLayouts(); // the application exists
    QFont font;
    font.setPixelSize(12);
    const auto Width = [&font](const QString& text) { return QFontMetrics(font).horizontalAdvance(text); };
    const QString word = "长长长长长长长长长长"; // no spaces: breaks anywhere
    const QString pairs = QString::fromUtf8("😀😀😀");
    const struct { const char* row; QString text, fits; int maxLines, lines; bool cut; } rows[] = {
        {"empty", "", word, 3, 0, false},
        {"one character too many", word.repeated(3) + "长", word, 3, 3, true},
        {"one line allowed", word + word, word, 1, 1, true},
        {"line breaks in the text", "a\nb\r\nc\u2028d", word, 3, 1, false},
        {"surrogate pairs", pairs.repeated(4), pairs, 3, 3, true},
    };
    for (const auto& r : rows) {
        const int width = Width(r.fits);
        const QStringList lines = WrappedLines(font, r.text, width, r.maxLines);
        EXPECT_EQ(lines.size(), r.lines) << r.row;
        for (const QString& line : lines) {
            EXPECT_LE(Width(line.trimmed()), width) << r.row;
            const QString body = line.endsWith(u'…') ? line.chopped(1) : line;
            ASSERT_FALSE(body.isEmpty()) << r.row;
            EXPECT_FALSE(body.front().isLowSurrogate() || body.back().isHighSurrogate()) << r.row;
        }
        EXPECT_EQ(!lines.isEmpty() && lines.back().endsWith(u'…'), r.cut) << r.row;
    }
}

} // namespace
