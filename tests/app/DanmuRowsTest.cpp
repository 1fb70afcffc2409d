// The danmaku window's rows under a busy feed: rows kept across refreshes,
// names that stay readable, reading back while new rows come, wrapped
// messages, level badges, colour emoji and the fade of the background.

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QScrollArea>
#include <QWheelEvent>
#include <QWidget>

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "tests/app/AppFixtures.h"

using namespace DuiLib;

namespace {

// What the control draws on nothing, or (inWindow) what its window shows there.
QImage Picture(CControlUI* control, bool inWindow = false)
{
    QWidget* w = control->GetWidget();
    if (inWindow)
        return w->window()->grab().toImage().convertToFormat(QImage::Format_ARGB32).copy(
            QRect(w->mapTo(w->window(), QPoint()), w->size()));
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

template <typename Test>
int CountPixels(const QImage& image, Test test)
{
    int n = 0;
    for (int i = 0; i < image.width() * image.height(); ++i)
        n += test(QColor::fromRgba(image.pixel(i % image.width(), i / image.width())));
    return n;
}

// Items "第<i>条" from `from` up to `to`, of levels 1 to 20, by a nickname
// that is shown as markup, not read as it.
std::vector<DanmuItem> Numbered(int from, int to)
{
    std::vector<DanmuItem> items;
    for (int i = from; i < to; ++i)
        items.push_back(Item(u"<b>&amp;:", (u"第" + QString::number(i).toStdU16String() + u"条").c_str(), i % 20 + 1));
    return items;
}

class DanmuRowsTest : public DanmuTest {
protected:
    // Every row shows its item, in order, as a rebuild from scratch would.
    void ExpectRowsShow(const std::vector<DanmuItem>& items)
    {
        ASSERT_EQ(danmu->RowCount(), static_cast<int>(items.size()));
        for (size_t i = 0; i < items.size(); ++i) {
            const int row = static_cast<int>(i);
            EXPECT_EQ(Text(row, u"nick"), items[i].nick.c_str()) << i;
            EXPECT_EQ(Text(row, u"msg"), items[i].msg.c_str()) << i;
            EXPECT_EQ(Cell(row, u"level")->GetBkImage().Str(), QString::number(items[i].level).toStdU16String() + u".png");
        }
    }
    // The first row whose top is in view, and that top from the list's top.
    int FirstVisible(int& offset) const
    {
        const int top = simulate::ControlRect(danmu->m_list).top;
        for (int i = 0; i < danmu->RowCount(); ++i) {
            offset = simulate::ControlRect(danmu->m_list->GetItemAt(i)).top - top;
            if (offset >= 0)
                return i;
        }
        return -1;
    }
    // The user's wheel over the list. A real one reaches the list's view from
    // the row under the pointer; a made one would stop at the row.
    void Wheel(int delta)
    {
        QWidget* view = static_cast<QScrollArea*>(danmu->m_list->GetWidget())->viewport();
        const QPointF at(view->width() / 2.0, view->height() / 2.0);
        QWheelEvent e(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &e);
        simulate::ProcessPending();
    }
    bool Following() const { return dynamic_cast<CListUI*>(danmu->m_list)->IsFollowingEnd(); }
    void SetOptions(bool backgroundOnly, bool wrap)
    {
        Options().backgroundOnly = backgroundOnly;
        Options().wrap = wrap;
        danmu->OptionsChanged();
        simulate::ProcessPending();
    }
    QWidget* Widget(int row, LPCTSTR name) const { return Cell(row, name)->GetWidget(); }
    int RowHeight(int row) const { return danmu->m_list->GetItemAt(row)->GetWidget()->height(); }
    // A message of `lines` times as many 长 as fit on one line of row 0.
    std::u16string Lines(double lines) const
    {
        QWidget* msg = Widget(0, u"msg");
        const int perLine = (msg->width() - 4) / QFontMetrics(msg->font()).horizontalAdvance(u'长');
        return std::u16string(static_cast<size_t>(perLine * lines), u'长');
    }
};

// Random sequences of snapshots: items dropped anywhere, added anywhere,
// repeated, moved; after each refresh the rows are what a rebuild shows,
// and the row of an item still shown is not rebuilt.
TEST_F(DanmuRowsTest, RowsAlwaysMatchARebuildFromScratch)
{
    Show(Numbered(0, 25));
    CControlUI* kept = danmu->m_list->GetItemAt(3);
    Show(Numbered(3, 28));
    EXPECT_EQ(danmu->m_list->GetItemAt(0), kept);
    std::mt19937 random(7);
    std::vector<DanmuItem> items = Numbered(0, 10);
    int next = 10;
    for (int step = 0; step < 60 && !HasFailure(); ++step) {
        std::vector<DanmuItem> changed;
        for (const DanmuItem& item : items)
            if (random() % 5 != 0)
                changed.push_back(item);
        for (int i = random() % 4; i > 0; --i, ++next)
            changed.insert(changed.begin() + random() % (changed.size() + 1),
                           random() % 3 ? Numbered(next, next + 1)[0] : items[0]);
        if (random() % 6 == 0 && changed.size() > 2)
            std::swap(changed.front(), changed.back());
        items = changed.empty() ? Numbered(next, next + 1) : changed;
        Show(items);
        ExpectRowsShow(items);
    }
}

// At every font size and in a small and a large window, a long nickname
// keeps at least its first characters (a short one all) and at most about
// 40 % of the row, and the message keeps the rest.
TEST_F(DanmuRowsTest, TheNicknameStaysVisibleBesideALongMessage)
{
    const std::u16string latin(50, u'w'), cjk(25, u'弹');
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"Tom:", latin}, {u"小鱼干:", cjk}, {u"超长的昵称超长的昵称超长的昵称超长的昵称超长:", cjk},
        {std::u16string(40, u'W') + u":", latin}, {u"🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉:", latin}, {u"مرحبا بكم:", latin}};
    std::vector<DanmuItem> items;
    for (const auto& c : cases)
        items.push_back(Item(c.first.c_str(), c.second.c_str(), 3));
    for (int size : {11, 12, 14}) {
        for (int width : {300, 640}) {
            SetWindowPos(hwnd, nullptr, 0, 0, width, 250, SWP_NOMOVE);
            danmu->GetPaintManager().SetDefaultFont(u"宋体", size, false, false, false);
            Show(items);
            simulate::ProcessPending(); // the second pass, after the rows took their width
            for (size_t i = 0; i < cases.size(); ++i) {
                QWidget* nick = Widget(static_cast<int>(i), u"nick");
                QWidget* msg = Widget(static_cast<int>(i), u"msg");
                const QFontMetrics fm = nick->fontMetrics();
                const QString name = QString::fromStdU16String(cases[i].first);
                const int firstChars = fm.horizontalAdvance(name.left(name.at(2).isHighSurrogate() ? 4 : 3));
                const int row = nick->parentWidget()->width();
                SCOPED_TRACE(testing::Message() << "size " << size << " width " << width << " row " << i);
                EXPECT_GE(nick->width(), std::min(fm.horizontalAdvance(name), firstChars + fm.horizontalAdvance(QChar(0x2026))));
                EXPECT_LE(nick->width(), std::max(row * 40 / 100, firstChars + 30));
                EXPECT_GE(msg->width(), row / 3) << "the message keeps the rest";
            }
        }
    }
}

// Scrolled up, the rows read stay in place while new ones come and a hint
// offers them; scrolling back down or a click on the hint follows again.
TEST_F(DanmuRowsTest, AScrolledUpListKeepsItsRowsInPlaceAndOffersTheNewOnes)
{
    Show(Numbered(0, 60));
    ASSERT_TRUE(Following());
    for (bool clickHint : {false, true}) {
        for (int i = 0; i < 5; ++i)
            Wheel(120);
        ASSERT_FALSE(Following()) << clickHint;
        int offset = 0, offsetAfter = 0;
        const CDuiString first = Text(FirstVisible(offset), u"msg");
        Show(clickHint ? Numbered(8, 68) : Numbered(4, 64));
        const int firstAfter = FirstVisible(offsetAfter);
        ASSERT_GE(firstAfter, 0);
        EXPECT_EQ(Text(firstAfter, u"msg"), first);
        EXPECT_EQ(offsetAfter, offset);
        EXPECT_TRUE(danmu->m_newer->GetWidget()->isVisible());
        EXPECT_EQ(danmu->m_newer->GetText(), u"有新弹幕 ↓");
        if (clickHint)
            simulate::Click(danmu->m_newer);
        for (int i = 0; !clickHint && i < 20; ++i)
            Wheel(-120);
        simulate::ProcessPending();
        EXPECT_TRUE(Following()) << clickHint;
        EXPECT_FALSE(danmu->m_newer->GetWidget()->isVisible()) << clickHint;
    }
}

// With the background only, the desktop shows through the background and
// text and badge stay opaque; without, the window system fades the whole
// window. Switching keeps the native window and pass-through.
TEST_F(DanmuRowsTest, TheFadeTakesTheBackgroundOnlyOrTheWholeWindow)
{
    const std::uintptr_t native = simulate::StateOf(hwnd).nativeId;
    g_pMainFrame->m_transFlag = true;
    for (bool backgroundOnly : {false, true}) {
        SCOPED_TRACE(backgroundOnly);
        SetOptions(backgroundOnly, false);
        Show({Item(u"a:", u"HHHHHHHHHHHHHHHH", 1)});
        const simulate::WindowState s = simulate::StateOf(hwnd);
        EXPECT_NEAR(s.opacity, backgroundOnly ? 1.0 : 150 / 255.0, 0.01);
        EXPECT_EQ(s.backgroundAlpha, backgroundOnly ? 150 : 255);
        EXPECT_TRUE(s.nativeId == native && s.passThrough);
        const QImage list = Picture(danmu->m_list, true);
        const int alpha = QColor::fromRgba(list.pixel(list.width() / 2, list.height() - 4)).alpha();
        EXPECT_EQ(alpha < 255, backgroundOnly);
        EXPECT_GT(alpha, 0);
        EXPECT_GT(CountPixels(Picture(Cell(0, u"msg"), true), [](QColor c) { return c.alpha() > 220 && c.lightness() > 200; }),
                  10) << "the text is drawn opaque (its edges blend into the background)";
    }
}

// Huge messages included: a row is one line, or wrapped at most three.
TEST_F(DanmuRowsTest, WrappingGrowsARowByItsLinesUpToThreeAndFitsAgainOnResize)
{
    for (bool wrap : {false, true}) {
        SetOptions(true, wrap);
        Show({Item(u"a:", u"hi", 1)});
        const int one = RowHeight(0), line = QFontMetrics(Widget(0, u"msg")->font()).lineSpacing();
        Show({Item(u"a:", u"hi", 1), Item(u"a:", Lines(1.5).c_str(), 1), Item(u"a:", Lines(2.5).c_str(), 1),
              Item(u"a:", Lines(10).c_str(), 1), Item(u"a:", std::u16string(wrap ? 5000 : 4u << 20, u'长').c_str(), 1),
              Item(u"a:", u"1\n2\n3\n4\n5", 1)});
        const int lines[] = {1, 2, 3, 3, 3, 1}; // beyond three it ends in …; line breaks make no lines
        for (int row = 0; row < 6; ++row)
            EXPECT_EQ(RowHeight(row), one + (wrap ? lines[row] - 1 : 0) * line) << wrap << " " << row;
        EXPECT_LE(Widget(4, u"msg")->geometry().right(), Widget(4, u"msg")->parentWidget()->width());
    }
    Show({Item(u"a:", u"hi", 1), Item(u"a:", Lines(1.5).c_str(), 1)});
    const int one = RowHeight(0), two = RowHeight(1);
    SetWindowPos(hwnd, nullptr, 0, 0, 700, 250, SWP_NOMOVE);
    simulate::ProcessPending();
    EXPECT_EQ(RowHeight(1), one) << "wide enough for one line";
    SetWindowPos(hwnd, nullptr, 0, 0, 200, 250, SWP_NOMOVE);
    simulate::ProcessPending();
    EXPECT_GT(RowHeight(1), two) << "narrower: more lines";
}

// Levels the skin has an image for keep it; higher ones get a drawn tag in
// their band's colour that fits the whole number; below one, nothing.
TEST_F(DanmuRowsTest, LevelBadgesAreTheSkinsImageADrawnTagOrNothing)
{
    const struct {
        int level;
        const char16_t* text;
        QColor tag;
    } cases[] = {
        {7, u"", QColor()}, {0, u"", QColor()}, {21, u"Lv21", QColor(0xD6, 0x45, 0x45)},
        {99, u"Lv99", QColor(0xC0, 0x39, 0x8F)}, {2147483647, u"Lv2147483647", QColor(0xB8, 0x87, 0x1B)},
    };
    std::vector<DanmuItem> items;
    for (const auto& c : cases)
        items.push_back(Item(u"a:", u"b", c.level));
    Show(items);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.level);
        CControlUI* badge = Cell(static_cast<int>(i), u"level");
        QWidget* w = badge->GetWidget();
        EXPECT_EQ(badge->GetText(), c.text);
        EXPECT_LE(QFontMetrics(w->font()).horizontalAdvance(QString::fromUtf16(c.text)), w->width() - 4);
        const QImage picture = Picture(badge);
        if (c.level < 1) {
            EXPECT_EQ(CountPixels(picture, [](QColor p) { return p.alpha() > 0; }), 0) << "nothing drawn";
        }
        if (!c.tag.isValid())
            continue;
        EXPECT_GT(CountPixels(picture, [&](QColor p) { return p == c.tag; }), w->width() * w->height() / 3);
    }
}

TEST_F(DanmuRowsTest, EmojiAreDrawnInColour)
{
    Show({Item(u"a:", u"😀🎉👍", 1), Item(u"a:", u"HHH", 1)});
    auto coloured = [](QColor p) { return p.alpha() > 0 && p.hsvSaturation() > 120 && p.value() > 120; };
    EXPECT_GT(CountPixels(Picture(Cell(0, u"msg")), coloured), 20);
    EXPECT_EQ(CountPixels(Picture(Cell(1, u"msg")), coloured), 0) << "plain text stays in its colour";
}

} // namespace
