// The danmaku window: its rows from the feed, the tray icon, closing,
// resizing from its edges, and the feed's status in its title bar and log.

#include <QWidget>

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/ChatLog.h"
#include "app/FeedLog.h"
#include "support/Log.h"
#include "tests/app/AppFixtures.h"
#include "tests/common/TempFolder.h"
#include "tests/support/FakeClock.h"

using namespace DuiLib;

namespace {

using DanmuWindowTest = DanmuTest;

// The clear shortcut's command empties the rows for good: the same history
// brings none back, newer items come (hiding is checked on a real display).
TEST_F(DanmuWindowTest, TheClearCommandEmptiesTheRowsForGood)
{
    const DanmuItem a = Item(u"a:", u"1", 1), b = Item(u"b:", u"2", 1), c = Item(u"c:", u"3", 1);
    Show({a, b});
    danmu->PostMessageW(WM_TRAY_COMMAND, KEY_CMD_CLEAR, 0);
    Show({a, b}); // the command, then the same history again
    EXPECT_EQ(danmu->RowCount(), 0);
    Show({b, c});
    ASSERT_EQ(danmu->RowCount(), 1);
    EXPECT_EQ(Text(0, u"msg"), u"3");
}

// A row with a highlight word is drawn on the highlight colour, the others
// on the list's; a blocked row is not drawn at all, highlight word or not.
TEST_F(DanmuWindowTest, HighlightedRowsStandOutAndBlockingWins)
{
    danmu->OpacityChanged(255);
    Options().highlightWords = {"主播"};
    Options().blockedWords = {"spam"};
    danmu->OptionsChanged();
    Show({Item(u"a:", u"主播好", 1), Item(u"b:", u"主播 spam", 1), Item(u"c:", u"hi", 1)});
    ASSERT_EQ(danmu->RowCount(), 2);
    for (int row : {0, 1}) {
        QWidget* widget = danmu->m_list->GetItemAt(row)->GetWidget();
        EXPECT_EQ(widget->grab().toImage().pixel(widget->width() - 4, widget->height() / 2) == 0xFF7A5200u, row == 0);
    }
}

// What the row sinks hear: each shown item once across repeating history
// replies, hidden ones never, and a new room from its backlog on.
TEST_F(DanmuWindowTest, RowSinksHearEachShownItemOnceAndEachRoomAfresh)
{
    struct Sink : RowSink {
        std::u16string heard;
        void RowsArrived(int room, const std::vector<DanmuItem>& rows, bool backlog) override
        {
            heard += std::u16string(backlog ? u"|" : u"") + (room == 5 ? u"5:" : u"");
            for (const DanmuItem& row : rows)
                heard += row.msg;
        }
        void RoomChanged(int) override { heard += u"/"; }
    } sink;
    state.rowSinks.push_back(&sink);
    Options().hideGifts = true;
    danmu->OptionsChanged();
    const DanmuItem gift{u"g:", u"送出了[x]", 1, true};
    Show({Item(u"a:", u"1", 1), Item(u"b:", u"2", 1)});
    Show({Item(u"a:", u"1", 1), Item(u"b:", u"2", 1), gift, Item(u"c:", u"3", 1)});
    Show({Item(u"b:", u"2", 1), gift, Item(u"c:", u"3", 1)});
    danmu->SwitchRoom(5);
    Show({Item(u"c:", u"3", 1)});
    EXPECT_EQ(sink.heard, u"|12" u"3" u"/" u"|5:3");
}

TEST_F(DanmuWindowTest, TheChatLogAppendsEachRowOnceAcrossRepeatingHistoryReplies)
{
    TempFolder temp;
    g_now = 1704124799;
    Options().chatLog = true;
    {
        CChatLog log(Options().chatLog, temp.Path(), FakeNow, [](const std::string&) {});
        state.rowSinks.push_back(&log);
        Show({Item(u"a:", u"1", 1), Item(u"b:", u"2", 1)});
        Show({Item(u"a:", u"1", 1), Item(u"b:", u"2", 1), Item(u"c:", u"3", 1)});
        Show({Item(u"b:", u"2", 1), Item(u"c:", u"3", 1)});
        state.rowSinks.clear();
    }
    const std::string text = ReadWhole(ChatLogFile(temp.Path(), g_pMainFrame->m_roomId, g_now));
    EXPECT_EQ(text, ChatLogLine(g_now, Item(u"a:", u"1", 1)) + ChatLogLine(g_now, Item(u"b:", u"2", 1))
        + ChatLogLine(g_now, Item(u"c:", u"3", 1)));
}

// By the run's clock: a row goes its fade time after it came, a history
// reply that repeats it does not bring it back, and the fade timer's tick
// alone takes it away.
TEST_F(DanmuWindowTest, RowsFadeTheirTimeAfterTheyCameAndStayGone)
{
    state.rowClock = FakeNow;
    Options().fadeSeconds = 10;
    danmu->OptionsChanged();
    const DanmuItem a = Item(u"a:", u"1", 1), b = Item(u"b:", u"2", 1), c = Item(u"c:", u"3", 1),
                    d = Item(u"d:", u"4", 1);
    const struct {
        std::time_t now;
        std::vector<DanmuItem> list; // none: only the timer ticks
        std::u16string shown;
    } steps[] = {{100, {a, b}, u"12"}, {105, {a, b, c}, u"123"}, {110, {a, b, c}, u"3"}, {111, {b, c, d}, u"34"},
                 {115, {b, c, d}, u"4"}, {120, {}, u"4"}, {121, {}, u""}};
    for (const auto& step : steps) {
        g_now = step.now;
        if (step.list.empty())
            SendMessageW(hwnd, WM_TIMER, kFadeTimer, 0);
        else
            Show(step.list);
        std::u16string shown;
        for (int row = 0; row < danmu->RowCount(); ++row)
            shown += Text(row, u"msg").Str();
        EXPECT_EQ(shown, step.shown) << step.now;
    }
}

TEST_F(DanmuWindowTest, AnItemLayoutThatCannotBeBuiltLeavesItsItemsOut)
{
    CPaintManagerUI::SetResourceZip(u"no-such.zip", true);
    Show({Item(u"a:", u"b", 1), Item(u"c:", u"d", 2)}, 9);
    EXPECT_EQ(danmu->RowCount(), 0);
    EXPECT_EQ(danmu->m_members->GetText(), u"9");
}

// The tray's 退出 ends it too (see the room switch).
TEST_F(DanmuWindowTest, TheSystemCloseCommandEndsTheLoopAndTheWindowStays)
{
    simulate::CloseRequest(hwnd);
    EXPECT_TRUE(LoopEnds());
    EXPECT_NE(danmu->GetHWND(), nullptr) << "to the end of the process";
}

TEST_F(DanmuWindowTest, ARightClickOnTheTrayIconOpensTheMenuALeftClickDoesNothing)
{
    const size_t before = simulate::Windows().size();
    ASSERT_TRUE(simulate::ActivateTray(hwnd, 1, simulate::TrayClick::Left));
    simulate::ProcessPending();
    EXPECT_EQ(simulate::Windows().size(), before);
    // A right click on an XEmbed tray and a StatusNotifierItem host's menu
    // request both arrive as a context request.
    ASSERT_TRUE(simulate::ActivateTray(hwnd, 1, simulate::TrayClick::Context));
    simulate::ProcessPending();
    ASSERT_EQ(simulate::Windows().size(), before + 1);
    EXPECT_NE(simulate::FindControl(simulate::Windows().back(), u"menu_tray_exit"), nullptr);
}

TEST_F(DanmuWindowTest, EachEdgeAndCornerResizesFromItsOwnSideDownTo200By120)
{
    struct Case {
        const char* where;
        int x, y, dx, dy;
        int left, top, width, height;
    } cases[] = {
        {"right edge", 299, 125, 40, 0, 100, 100, 340, 250},
        {"left edge", 0, 125, -20, 0, 80, 100, 320, 250},
        {"top edge, above the title bar", 150, 0, 0, -10, 100, 90, 300, 260},
        {"bottom right", 299, 249, 100, 50, 100, 100, 400, 300},
        {"the middle does not resize", 150, 150, 50, 50, 100, 100, 300, 250},
        {"smallest, the opposite sides stay", 0, 0, 1000, 1000, 200, 230, 200, 120},
    };
    for (const Case& c : cases) {
        SetWindowPos(hwnd, nullptr, 100, 100, 300, 250, 0);
        simulate::Drag(hwnd, c.x, c.y, c.dx, c.dy);
        const simulate::WindowState s = simulate::StateOf(hwnd);
        EXPECT_EQ((std::vector<int>{s.x, s.y, s.width, s.height}),
                  (std::vector<int>{c.left, c.top, c.width, c.height})) << c.where;
    }
}

PollOutcome Cycle(int onlineError, int historyStatus, bool historyRead)
{
    PollOutcome outcome;
    outcome.reported = true;
    outcome.online = RequestOutcome{"127.0.0.1:18080", onlineError, onlineError ? 0 : 200, onlineError == 0};
    outcome.history = RequestOutcome{"127.0.0.1:18081", 0, historyStatus, historyRead};
    return outcome;
}

class DanmuStatusTest : public DanmuTest {
protected:
    void Report(const PollOutcome& outcome)
    {
        danmu->Items().Report(outcome);
        Show({Item(u"a:", u"old", 1)});
    }
    QString Tip() const { return danmu->m_members->GetWidget()->toolTip(); }
};

// A failed cycle shows why until a good one, keeping the rows; the log gets
// one line per change of state.
TEST_F(DanmuStatusTest, AFailedCycleShowsWhyUntilAGoodOneAndIsLoggedOnce)
{
    TempFolder folder;
    const std::string base = folder.Path() + "/orvel-helper";
    {
        CLog log;
        ASSERT_EQ(log.SetFile(base, kLogFileBytes, kLogFiles), 0);
        SetProgramLog(&log);
        for (int i = 0; i < 2; ++i)
            Report(Cycle(-3, 200, true));
        EXPECT_EQ(danmu->m_members->GetText(), u"连接中断");
        EXPECT_TRUE(Tip().contains(QString::fromUtf8("尚未成功更新"))) << Tip().toStdString();
        EXPECT_EQ(danmu->RowCount(), 1);
        for (int i = 0; i < 2; ++i)
            Report(Cycle(0, 200, true));
        EXPECT_EQ(danmu->m_members->GetText(), u"5");
        Report(Cycle(0, 401, false));
        EXPECT_TRUE(Tip().contains(QString::fromUtf8("秒前")));
        SetProgramLog(nullptr);
    } // the log writes what it holds as it ends
    std::istringstream text(ReadWhole(base + "_0.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.substr(line.find("feed:")));
    EXPECT_EQ(lines, (std::vector<std::string>{"feed: 连接中断: 无法连接 127.0.0.1:18080", "feed: 已恢复",
                                               "feed: 连接中断: 授权被拒绝 (401)"}));
}

} // namespace
