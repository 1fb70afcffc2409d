// How the danmaku window draws: the opacity on the background only or on
// the whole window, wrapped messages, drawn level badges and colour emoji.

#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include "tests/app/DanmuFixture.h"

using namespace DuiLib;

namespace {

// What the control itself draws, on nothing.
QImage Picture(QWidget* w)
{
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The whole window as the window system gets it.
QImage WindowPicture(QWidget* w)
{
    return w->window()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Pixels of the picture for which `test` holds.
template <typename Test>
int CountPixels(const QImage& image, Test test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(QColor::fromRgba(image.pixel(x, y))) ? 1 : 0;
    return n;
}

class DanmuLookTest : public DanmuFeedTest {
protected:
    void SetOptions(bool backgroundOnly, bool wrap)
    {
        state.options.backgroundOnly = backgroundOnly;
        state.options.wrap = wrap;
        danmu.OptionsChanged();
        simulate::ProcessPending();
    }
    int RowHeight(int row) const { return danmu.m_list->GetItemAt(row)->GetWidget()->height(); }
    int LineSpacing() const { return QFontMetrics(Widget(0, u"msg")->font()).lineSpacing(); }
    // A message of `lines` times as many 长 as fit on one line of row 0.
    std::u16string Lines(double lines) const
    {
        QWidget* msg = Widget(0, u"msg");
        const int perLine = (msg->width() - 4) / QFontMetrics(msg->font()).horizontalAdvance(u'长');
        return std::u16string(static_cast<size_t>(perLine * lines), u'长');
    }
};

TEST_F(DanmuLookTest, BackgroundOnlyFadesTheBackgroundAndKeepsTheTextOpaque)
{
    Show({Item(u"a:", u"HHHHHHHHHHHHHHHH", 1)});
    const simulate::WindowState s = simulate::StateOf(hwnd);
    EXPECT_EQ(s.opacity, 1.0);
    EXPECT_EQ(s.backgroundAlpha, 150);
    const QImage window = WindowPicture(danmu.m_list->GetWidget());
    const QRect list = danmu.m_list->GetWidget()->geometry();
    const QColor empty = QColor::fromRgba(window.pixel(list.center().x(), list.bottom() - 4));
    EXPECT_LT(empty.alpha(), 255) << "the desktop shows through the background";
    EXPECT_GT(empty.alpha(), 0);
    const QRect msgRect(Widget(0, u"msg")->mapTo(Widget(0, u"msg")->window(), QPoint()), Widget(0, u"msg")->size());
    EXPECT_GT(CountPixels(window.copy(msgRect), [](QColor c) { return c.alpha() > 220 && c.lightness() > 200; }), 10)
        << "the text is drawn opaque (its edges blend into the background)";
    const QImage badge = WindowPicture(danmu.m_list->GetWidget()).copy(
        QRect(Widget(0, u"level")->mapTo(Widget(0, u"level")->window(), QPoint()), Widget(0, u"level")->size()));
    EXPECT_GT(CountPixels(badge, [](QColor c) { return c.alpha() == 255; }), 28 * 16 / 2) << "and the badge";
}

TEST_F(DanmuLookTest, WithoutBackgroundOnlyTheWholeWindowFadesAsBefore)
{
    SetOptions(false, false);
    Show({Item(u"a:", u"HHHHHHHHHHHHHHHH", 1)});
    const simulate::WindowState s = simulate::StateOf(hwnd);
    EXPECT_NEAR(s.opacity, 150 / 255.0, 0.01);
    EXPECT_EQ(s.backgroundAlpha, 255);
    const QImage window = WindowPicture(danmu.m_list->GetWidget());
    EXPECT_EQ(CountPixels(window, [](QColor c) { return c.alpha() < 255; }), 0)
        << "the window draws itself opaque; the window system fades it";

    SetOptions(true, false); // and back, in the same window
    EXPECT_EQ(simulate::StateOf(hwnd).opacity, 1.0);
    EXPECT_EQ(simulate::StateOf(hwnd).backgroundAlpha, 150);
}

TEST_F(DanmuLookTest, SwitchingTheFadeKeepsTheNativeWindowAndPassThrough)
{
    const std::uintptr_t native = simulate::StateOf(hwnd).nativeId;
    ASSERT_NE(native, 0u);
    g_pMainFrame->m_transFlag = true;
    for (bool backgroundOnly : {false, true, false}) {
        SetOptions(backgroundOnly, false);
        const simulate::WindowState s = simulate::StateOf(hwnd);
        EXPECT_EQ(s.nativeId, native) << backgroundOnly;
        EXPECT_TRUE(s.passThrough) << backgroundOnly;
    }
}

TEST_F(DanmuLookTest, WithoutWrappingEveryRowIsOneLine)
{
    Show({Item(u"a:", u"hi", 1)});
    Show({Item(u"a:", u"hi", 1), Item(u"b:", Lines(2.5).c_str(), 1), Item(u"c:", Lines(20).c_str(), 1)});
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(RowHeight(row), 22) << row;
}

TEST_F(DanmuLookTest, WrappingGrowsARowByItsLinesUpToThree)
{
    SetOptions(true, true);
    Show({Item(u"a:", u"hi", 1)});
    const int one = RowHeight(0);
    EXPECT_GE(one, 22);
    const std::u16string huge(5000, u'长');
    Show({Item(u"a:", u"hi", 1), Item(u"a:", Lines(1.5).c_str(), 1), Item(u"a:", Lines(2.5).c_str(), 1),
          Item(u"a:", Lines(10).c_str(), 1), Item(u"a:", huge.c_str(), 1),
          Item(u"a:", u"1\n2\n3\n4\n5", 1)});
    EXPECT_EQ(RowHeight(0), one);
    EXPECT_EQ(RowHeight(1), one + LineSpacing());
    EXPECT_EQ(RowHeight(2), one + 2 * LineSpacing());
    EXPECT_EQ(RowHeight(3), one + 2 * LineSpacing()) << "beyond three lines it ends in …";
    EXPECT_EQ(RowHeight(4), one + 2 * LineSpacing());
    EXPECT_EQ(RowHeight(5), one) << "line breaks in a message make no lines";
    EXPECT_EQ(Widget(1, u"nick")->width(), Widget(0, u"nick")->width()) << "the nickname stays as it was";
}

TEST_F(DanmuLookTest, WrappedRowsFitAgainWhenTheWindowIsResized)
{
    SetOptions(true, true);
    Show({Item(u"a:", u"hi", 1)});
    const int one = RowHeight(0);
    Show({Item(u"a:", u"hi", 1), Item(u"a:", Lines(1.5).c_str(), 1)});
    ASSERT_EQ(RowHeight(1), one + LineSpacing());
    SetWindowPos(hwnd, nullptr, 0, 0, 700, 250, SWP_NOMOVE);
    simulate::ProcessPending();
    EXPECT_EQ(RowHeight(1), one) << "wide enough for one line";
    SetWindowPos(hwnd, nullptr, 0, 0, 200, 250, SWP_NOMOVE);
    simulate::ProcessPending();
    EXPECT_GT(RowHeight(1), one + LineSpacing()) << "narrower: more lines";
}

TEST_F(DanmuLookTest, LevelsWithoutASkinImageGetADrawnBadgeThatFits)
{
    struct Case {
        int level;
        const char16_t* text;
        QColor tag;
    } cases[] = {
        {21, u"Lv21", QColor(0xD6, 0x45, 0x45)},
        {99, u"Lv99", QColor(0xC0, 0x39, 0x8F)},
        {1000, u"Lv1000", QColor(0xB8, 0x87, 0x1B)},
        {2147483647, u"Lv2147483647", QColor(0xB8, 0x87, 0x1B)},
    };
    std::vector<DanmuItem> items;
    for (const Case& c : cases)
        items.push_back(Item(u"a:", u"b", c.level));
    Show(items);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        CControlUI* badge = danmu.Cell(static_cast<int>(i), u"level");
        EXPECT_EQ(badge->GetText(), c.text) << c.level;
        QWidget* w = badge->GetWidget();
        EXPECT_LE(QFontMetrics(w->font()).horizontalAdvance(QString::fromUtf16(c.text)), w->width() - 4)
            << c.level << ": the whole number shows";
        EXPECT_GE(w->width(), 28) << c.level;
        const QImage picture = Picture(w);
        EXPECT_GT(CountPixels(picture, [&](QColor p) { return p == c.tag; }), w->width() * w->height() / 3)
            << c.level << ": the tag in its band's colour";
        EXPECT_GT(CountPixels(picture, [](QColor p) { return p.alpha() == 255 && p.lightness() > 230; }), 5)
            << c.level << ": white text on it";
        EXPECT_EQ(picture.pixelColor(0, 0).alpha(), 0) << c.level << ": rounded corners";
    }
}

TEST_F(DanmuLookTest, SkinLevelsKeepTheirImageAndLevelsBelowOneHaveNoBadge)
{
    Show({Item(u"a:", u"b", 7), Item(u"a:", u"b", 0), Item(u"a:", u"b", -5)});
    EXPECT_EQ(danmu.Cell(0, u"level")->GetText(), u"");
    EXPECT_EQ(Widget(0, u"level")->width(), 28);
    for (int row : {1, 2}) {
        EXPECT_EQ(danmu.Cell(row, u"level")->GetText(), u"") << row;
        const QImage picture = Picture(Widget(row, u"level"));
        EXPECT_EQ(CountPixels(picture, [](QColor p) { return p.alpha() > 0; }), 0) << row << ": nothing drawn";
    }
}

TEST_F(DanmuLookTest, EmojiAreDrawnInColour)
{
    Show({Item(u"a:", u"😀🎉👍", 1), Item(u"a:", u"HHH", 1)});
    auto coloured = [](QColor p) { return p.alpha() > 0 && p.hsvSaturation() > 120 && p.value() > 120; };
    EXPECT_GT(CountPixels(Picture(Widget(0, u"msg")), coloured), 20);
    EXPECT_EQ(CountPixels(Picture(Widget(1, u"msg")), coloured), 0) << "plain text stays in its colour";
}

} // namespace
