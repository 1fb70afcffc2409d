// The danmaku window under a busy or failing feed: rows kept across
// refreshes, names that stay readable, reading back while new rows come,
// and the feed's status in the title bar and the log.

#include <QApplication>
#include <QFontMetrics>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/FeedLog.h"
#include "support/Log.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QuietDanmu.h"
#include "ui/List.h"
#include "ui/Simulate.h"

using namespace DuiLib;

namespace {

std::u16string Number(int n)
{
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

std::vector<DanmuItem> Numbered(int from, int to)
{
    std::vector<DanmuItem> items;
    for (int i = from; i < to; ++i)
        items.push_back(Item(u"u:", (u"第" + Number(i) + u"条").c_str(), i % 20 + 1));
    return items;
}

PollOutcome Cycle(int onlineError, int historyStatus, bool historyRead)
{
    PollOutcome outcome;
    outcome.reported = true;
    outcome.online = RequestOutcome{"127.0.0.1:18080", onlineError, onlineError ? 0 : 200, onlineError == 0};
    outcome.history = RequestOutcome{"127.0.0.1:18081", 0, historyStatus, historyRead};
    return outcome;
}

class DanmuFeedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        frame = new CMainFrame;
        hwnd = danmu.Open();
        ASSERT_NE(hwnd, nullptr);
        simulate::ProcessPending();
    }
    void TearDown() override { delete frame; }

    void Show(std::vector<DanmuItem> items)
    {
        danmu.Feed(std::move(items), 5);
        simulate::ProcessPending();
    }
    void Report(const PollOutcome& outcome)
    {
        danmu.m_items.Report(outcome);
        danmu.PostMessageW(WM_DANMU_REFRESH, 0, 0);
        simulate::ProcessPending();
    }
    QScrollBar* Bar() const
    {
        return static_cast<QScrollArea*>(danmu.m_list->GetWidget())->verticalScrollBar();
    }
    QWidget* Widget(int row, LPCTSTR name) const { return danmu.Cell(row, name)->GetWidget(); }
    CListUI* List() const { return dynamic_cast<CListUI*>(danmu.m_list); }
    // The user's wheel over the list (a real one reaches the list's view
    // from the row under the pointer).
    void Wheel(int delta)
    {
        QWidget* view = static_cast<QScrollArea*>(danmu.m_list->GetWidget())->viewport();
        QPointF at(view->width() / 2.0, view->height() / 2.0);
        QWheelEvent e(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &e);
        simulate::ProcessPending();
    }
    // The first row whose top is in view, and that top from the view's top.
    int FirstVisible(int& offset) const
    {
        for (int i = 0; i < danmu.RowCount(); ++i) {
            int y = danmu.m_list->GetItemAt(i)->GetWidget()->y() - Bar()->value();
            if (y >= 0) {
                offset = y;
                return i;
            }
        }
        return -1;
    }

    CMainFrame* frame = nullptr;
    QuietDanmu danmu;
    HWND hwnd = nullptr;
};

// Every row shows its item, in order, as a rebuild from scratch would.
void ExpectRowsShow(QuietDanmu& danmu, const std::vector<DanmuItem>& items)
{
    ASSERT_EQ(danmu.RowCount(), static_cast<int>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        const int row = static_cast<int>(i);
        CDuiString level;
        level.Format(u"%d.png", items[i].level);
        EXPECT_EQ(danmu.Cell(row, u"nick")->GetText(), items[i].nick.c_str()) << i;
        EXPECT_EQ(danmu.Cell(row, u"msg")->GetText(), items[i].msg.c_str()) << i;
        EXPECT_EQ(danmu.Cell(row, u"level")->GetBkImage(), level) << i;
    }
}

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

TEST_F(DanmuFeedTest, AFailedCycleShowsWhyUntilAGoodOne)
{
    Show(Numbered(0, 3));
    CControlUI* label = danmu.GetPaintManager().FindControl(u"members_label");
    Report(Cycle(-3, 200, true));
    EXPECT_EQ(danmu.m_members->GetText(), u"连接中断");
    const QString tip = danmu.m_members->GetWidget()->toolTip();
    EXPECT_TRUE(tip.contains(QString::fromUtf8("无法连接 127.0.0.1:18080"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QString::fromUtf8("尚未成功更新"))) << tip.toStdString();
    EXPECT_FALSE(label->GetWidget()->isVisible());
    ExpectRowsShow(danmu, Numbered(0, 3)); // the old rows stay

    Report(Cycle(0, 200, true));
    EXPECT_EQ(danmu.m_members->GetText(), u"5");
    EXPECT_TRUE(label->GetWidget()->isVisible());

    Report(Cycle(0, 401, false));
    EXPECT_EQ(danmu.m_members->GetText(), u"连接中断");
    EXPECT_TRUE(danmu.m_members->GetWidget()->toolTip().contains(QString::fromUtf8("授权被拒绝 (401)")));
    EXPECT_TRUE(danmu.m_members->GetWidget()->toolTip().contains(QString::fromUtf8("秒前")));
}

TEST_F(DanmuFeedTest, TheLogGetsOneLinePerChangeOfState)
{
    char folder[] = "/tmp/orvel-log-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string base = std::string(folder) + "/orvel-helper";
    {
        CLog log;
        ASSERT_EQ(log.SetFile(base, kLogFileBytes, kLogFiles), 0);
        ASSERT_EQ(log.Start(), 0);
        SetProgramLog(&log);
        for (const PollOutcome& outcome : {Cycle(-3, 200, true), Cycle(-3, 200, true), Cycle(-3, 200, true),
                                           Cycle(0, 200, true), Cycle(0, 200, true), Cycle(0, 200, false)})
            Report(outcome);
        SetProgramLog(nullptr);
    } // the log writes what it holds as it ends
    std::ifstream file(base + "_0.log");
    std::stringstream text;
    text << file.rdbuf();
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.substr(line.find("feed:")));
    EXPECT_EQ(lines, (std::vector<std::string>{"feed: 连接中断: 无法连接 127.0.0.1:18080", "feed: 已恢复",
                                               "feed: 连接中断: 服务器回复无法解析"}));
    std::remove((base + "_0.log").c_str());
    rmdir(folder);
}

} // namespace
