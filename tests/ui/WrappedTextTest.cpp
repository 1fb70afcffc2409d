// Text broken into lines for a wrapping label: at most so many lines, the
// last cut with "…", never half a character.

#include <QFont>
#include <QFontMetrics>

#include "tests/ui/TestWindow.h"
#include "ui/qt/WrappedText.h"

using namespace DuiLib;

namespace {

class WrappedTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseTestLayouts(); // the application exists
        font.setPixelSize(12);
    }
    int Width(const QString& text) const { return QFontMetrics(font).horizontalAdvance(text); }
    QFont font;
};

TEST_F(WrappedTextTest, BreaksIntoAtMostTheLinesAllowedNeverInsideACharacter)
{
    const QString word = "长长长长长长长长长长"; // no spaces: breaks anywhere
    const QString pairs = QString::fromUtf8("😀😀😀");
    const struct {
        const char* row;
        QString text;
        QString fits; // what one line holds
        int maxLines;
        int lines;
        bool cut;
    } rows[] = {
        {"empty", "", word, 3, 0, false},
        {"two lines", word + word, word, 3, 2, false},
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

// Right to left, the cut is at the line's visual end.
TEST_F(WrappedTextTest, BreaksBetweenWordsAndCutsMixedScriptsWithinTheLines)
{
    const QStringList words = WrappedLines(font, "alpha beta gamma delta", Width("alpha beta gam"), 3);
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[0].trimmed(), "alpha beta");
    EXPECT_EQ(words[1], "gamma delta");

    const QString mixed = QString::fromUtf8("שלום עולם مرحبا \u202e\u0001\u0007 abc ").repeated(20);
    const QStringList lines = WrappedLines(font, mixed, 120, 3);
    EXPECT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.back().contains(u'…'));
}

} // namespace
