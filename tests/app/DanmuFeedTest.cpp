// The danmaku window under a busy feed: rows kept across refreshes, names
// that stay readable, reading back while new rows come.

#include <QFontMetrics>
#include <QScrollBar>
#include <QWidget>

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "tests/app/DanmuFixture.h"

using namespace DuiLib;

namespace {

TEST_F(DanmuFeedTest, TheUsualCycleKeepsTheRowsThatStay)
{
    Show(Numbered(0, 25));
    CControlUI* kept = danmu.m_list->GetItemAt(3);
    Show(Numbered(3, 28));
    ExpectRowsShow(danmu, Numbered(3, 28));
    EXPECT_EQ(danmu.m_list->GetItemAt(0), kept) << "the row of an item still shown is not rebuilt";
}

TEST_F(DanmuFeedTest, NewRowsBeforeAKeptOneLeaveItInPlace)
{
    std::vector<DanmuItem> items = Numbered(0, 5);
    items.push_back(Item(u"bot:", u"pinned", 20));
    Show(items);
    CControlUI* pinned = danmu.m_list->GetItemAt(5);
    items.erase(items.begin());
    const std::vector<DanmuItem> fresh = Numbered(5, 7);
    items.insert(items.end() - 1, fresh.begin(), fresh.end());
    Show(items);
    ExpectRowsShow(danmu, items);
    EXPECT_EQ(danmu.m_list->GetItemAt(6), pinned);
}

// Random sequences of snapshots: items dropped anywhere, added anywhere,
// repeated, moved; after each refresh the rows are what a rebuild shows.
TEST_F(DanmuFeedTest, RowsAlwaysMatchARebuildFromScratch)
{
    std::mt19937 random(7);
    std::vector<DanmuItem> items = Numbered(0, 10);
    int next = 10;
    for (int step = 0; step < 60; ++step) {
        std::vector<DanmuItem> changed;
        for (const DanmuItem& item : items)
            if (random() % 5 != 0)
                changed.push_back(item); // some leave
        for (int i = random() % 4; i > 0; --i) {
            const size_t at = random() % (changed.size() + 1);
            changed.insert(changed.begin() + at, random() % 3 ? Numbered(next, next + 1)[0] : items[0]);
            ++next;
        }
        if (random() % 6 == 0 && changed.size() > 2)
            std::swap(changed.front(), changed.back());
        items = changed.empty() ? Numbered(next, next + 1) : changed;
        Show(items);
        ExpectRowsShow(danmu, items);
        if (HasFailure())
            return;
    }
}

TEST_F(DanmuFeedTest, AFontChangeRebuildsEveryRow)
{
    Show(Numbered(0, 5));
    CControlUI* before = danmu.m_list->GetItemAt(0);
    danmu.GetPaintManager().SetDefaultFont(u"宋体", 14, false, false, false);
    danmu.PostMessageW(WM_DANMU_REFRESH, 0, 0);
    simulate::ProcessPending();
    ExpectRowsShow(danmu, Numbered(0, 5));
    EXPECT_NE(danmu.m_list->GetItemAt(0), before);
    EXPECT_EQ(simulate::FontPixelSize(danmu.Cell(0, u"msg")), 14);
}

struct NameCase {
    std::u16string nick;
    std::u16string msg;
};

// At every font size and in a small and a large window, a long nickname
// keeps at least its first characters and at most about 40 % of the row,
// a short one shows whole, and the message keeps the rest.
TEST_F(DanmuFeedTest, TheNicknameStaysVisibleBesideALongMessage)
{
    const std::u16string latin(50, u'w');
    const std::u16string cjk(25, u'弹');
    const std::vector<NameCase> cases = {
        {u"Tom:", latin}, {u"小鱼干:", cjk}, {u"超长的昵称超长的昵称超长的昵称超长的昵称超长:", cjk},
        {std::u16string(40, u'W') + u":", latin}, {u"🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉:", latin}};
    for (int size : {11, 12, 14}) {
        for (int width : {300, 640}) {
            SetWindowPos(hwnd, nullptr, 0, 0, width, 250, SWP_NOMOVE);
            danmu.GetPaintManager().SetDefaultFont(u"宋体", size, false, false, false);
            std::vector<DanmuItem> items;
            for (const NameCase& c : cases)
                items.push_back(Item(c.nick.c_str(), c.msg.c_str(), 3));
            Show(items);
            simulate::ProcessPending(); // the second pass, after the rows took their width
            for (size_t i = 0; i < cases.size(); ++i) {
                QWidget* nick = Widget(static_cast<int>(i), u"nick");
                QWidget* msg = Widget(static_cast<int>(i), u"msg");
                const QFontMetrics fm = nick->fontMetrics();
                const QString name = QString::fromStdU16String(cases[i].nick);
                const int whole = fm.horizontalAdvance(name);
                const int firstChars = fm.horizontalAdvance(name.left(name.at(2).isHighSurrogate() ? 4 : 3));
                const int row = nick->parentWidget()->width();
                SCOPED_TRACE(testing::Message() << "size " << size << " width " << width << " row " << i);
                EXPECT_GE(nick->width(), std::min(whole, firstChars + fm.horizontalAdvance(QChar(0x2026))));
                EXPECT_LE(nick->width(), std::max(row * 40 / 100, firstChars + 30));
                if (whole + 8 <= row * 40 / 100) {
                    EXPECT_GE(nick->width(), whole) << "a short name shows whole";
                }
                EXPECT_GE(msg->width(), row / 3) << "the message keeps the rest";
                EXPECT_LE(msg->geometry().right(), row);
            }
        }
    }
}

TEST_F(DanmuFeedTest, AHugeMessageStaysInItsRow)
{
    std::u16string huge(4u << 20, u'大');
    Show({Item(u"a:", huge.c_str(), 1), Item(u"b:", u"hi", 1)});
    ASSERT_EQ(danmu.RowCount(), 2);
    EXPECT_EQ(danmu.m_list->GetItemAt(0)->GetFixedHeight(), 22);
    EXPECT_LE(Widget(0, u"msg")->width(), Widget(0, u"msg")->parentWidget()->width());
    EXPECT_GE(Widget(0, u"nick")->width(), 10);
}

TEST_F(DanmuFeedTest, AScrolledUpListKeepsItsRowsInPlaceAndOffersTheNewOnes)
{
    Show(Numbered(0, 60));
    CControlUI* hint = danmu.GetPaintManager().FindControl(u"btn_newer");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(Bar()->value(), Bar()->maximum()) << "the list follows the end";
    for (int i = 0; i < 5; ++i)
        Wheel(120);
    ASSERT_FALSE(List()->IsFollowingEnd());
    int offset = 0;
    const int first = FirstVisible(offset);
    const CDuiString text = danmu.Cell(first, u"msg")->GetText();

    Show(Numbered(4, 64));
    int offsetAfter = 0;
    const int firstAfter = FirstVisible(offsetAfter);
    ASSERT_GE(firstAfter, 0);
    EXPECT_EQ(danmu.Cell(firstAfter, u"msg")->GetText(), text);
    EXPECT_EQ(offsetAfter, offset);
    EXPECT_TRUE(hint->GetWidget()->isVisible());
    EXPECT_EQ(hint->GetText(), u"有新弹幕 ↓");

    simulate::Click(hint);
    simulate::ProcessPending();
    EXPECT_FALSE(hint->GetWidget()->isVisible());
    EXPECT_TRUE(List()->IsFollowingEnd());
    EXPECT_EQ(Bar()->value(), Bar()->maximum());
    Show(Numbered(8, 68));
    EXPECT_EQ(Bar()->value(), Bar()->maximum()) << "following again";
}

TEST_F(DanmuFeedTest, ScrollingBackDownFollowsTheEndAgain)
{
    Show(Numbered(0, 60));
    for (int i = 0; i < 3; ++i)
        Wheel(120);
    ASSERT_FALSE(List()->IsFollowingEnd()) << Bar()->value() << " " << Bar()->maximum();
    Show(Numbered(2, 62));
    CControlUI* hint = danmu.GetPaintManager().FindControl(u"btn_newer");
    EXPECT_TRUE(hint->GetWidget()->isVisible());
    for (int i = 0; i < 20; ++i)
        Wheel(-120);
    simulate::ProcessPending();
    EXPECT_TRUE(List()->IsFollowingEnd());
    EXPECT_FALSE(hint->GetWidget()->isVisible());
}

} // namespace
