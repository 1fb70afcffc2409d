// Text broken into lines for a wrapping label: at most so many lines, the
// last cut with "…", never half a character.

#include <gtest/gtest.h>

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

TEST_F(WrappedTextTest, BreaksIntoAtMostTheLinesAllowed)
{
    const QString word = "长长长长长长长长长长"; // no spaces: breaks anywhere
    const int width = Width(word);
    struct Case {
        QString text;
        int maxLines;
        int lines;
        bool cut;
    } cases[] = {
        {"", 3, 0, false},
        {"hi", 3, 1, false},
        {word, 3, 1, false},
        {word + word, 3, 2, false},
        {word + word + word, 3, 3, false},
        {word + word + word + "长", 3, 3, true},
        {QString(1000, u'长'), 3, 3, true},
        {word + word, 1, 1, true},
        {"a\nb\r\nc\u2028d", 3, 1, false},
    };
    for (const Case& c : cases) {
        const QStringList lines = WrappedLines(font, c.text, width, c.maxLines);
        EXPECT_EQ(lines.size(), c.lines) << c.text.toStdString();
        for (const QString& line : lines)
            EXPECT_LE(Width(line.trimmed()), width) << c.text.toStdString();
        const bool cut = !lines.isEmpty() && lines.back().endsWith(u'…');
        EXPECT_EQ(cut, c.cut) << c.text.toStdString();
    }
}

TEST_F(WrappedTextTest, BreaksBetweenWordsAndNeverInsideACharacter)
{
    const QStringList words = WrappedLines(font, "alpha beta gamma delta", Width("alpha beta gam"), 3);
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[0].trimmed(), "alpha beta");
    EXPECT_EQ(words[1], "gamma delta");

    const QString emoji = QString::fromUtf8("😀😀😀😀😀😀😀😀😀😀");
    for (const QString& line : WrappedLines(font, emoji, Width("😀😀😀"), 3)) {
        ASSERT_FALSE(line.isEmpty());
        EXPECT_FALSE(line.front().isLowSurrogate());
        const QString body = line.endsWith(u'…') ? line.chopped(1) : line;
        EXPECT_FALSE(!body.isEmpty() && body.back().isHighSurrogate());
    }
}

TEST_F(WrappedTextTest, RightToLeftAndControlCharactersStayWithinTheLines)
{
    const QString mixed = QString::fromUtf8("שלום עולם مرحبا \u202e\u0001\u0007 abc ") .repeated(20);
    const QStringList lines = WrappedLines(font, mixed, 120, 3);
    EXPECT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.back().contains(u'…')) << "right to left: the cut is at the line's visual end";
}

} // namespace
