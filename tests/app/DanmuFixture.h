#pragma once

// A danmaku window that tests feed by hand, with the user's view of its list.

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/AppTestSupport.h"
#include "tests/app/OpenDanmuTest.h"
#include "ui/List.h"
#include "ui/testing/Simulate.h"

inline std::u16string Number(int n)
{
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

inline std::vector<DanmuItem> Numbered(int from, int to)
{
    std::vector<DanmuItem> items;
    for (int i = from; i < to; ++i)
        items.push_back(Item(u"u:", (u"第" + Number(i) + u"条").c_str(), i % 20 + 1));
    return items;
}

inline PollOutcome Cycle(int onlineError, int historyStatus, bool historyRead)
{
    PollOutcome outcome;
    outcome.reported = true;
    outcome.online = RequestOutcome{"127.0.0.1:18080", onlineError, onlineError ? 0 : 200, onlineError == 0};
    outcome.history = RequestOutcome{"127.0.0.1:18081", 0, historyStatus, historyRead};
    return outcome;
}

class DanmuFeedTest : public OpenDanmuTest {
protected:
    void Show(std::vector<DanmuItem> items)
    {
        danmu.Feed(std::move(items), 5);
        DuiLib::simulate::ProcessPending();
    }
    void Report(const PollOutcome& outcome)
    {
        danmu.Items().Report(outcome);
        danmu.PostMessageW(WM_DANMU_REFRESH, 0, 0);
        DuiLib::simulate::ProcessPending();
    }
    QScrollBar* Bar() const
    {
        return static_cast<QScrollArea*>(danmu.m_list->GetWidget())->verticalScrollBar();
    }
    QWidget* Widget(int row, LPCTSTR name) const { return danmu.Cell(row, name)->GetWidget(); }
    DuiLib::CListUI* List() const { return dynamic_cast<DuiLib::CListUI*>(danmu.m_list); }
    // The user's wheel over the list (a real one reaches the list's view
    // from the row under the pointer).
    void Wheel(int delta)
    {
        QWidget* view = static_cast<QScrollArea*>(danmu.m_list->GetWidget())->viewport();
        QPointF at(view->width() / 2.0, view->height() / 2.0);
        QWheelEvent e(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &e);
        DuiLib::simulate::ProcessPending();
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
};

// Every row shows its item, in order, as a rebuild from scratch would.
inline void ExpectRowsShow(QuietDanmu& danmu, const std::vector<DanmuItem>& items)
{
    ASSERT_EQ(danmu.RowCount(), static_cast<int>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        const int row = static_cast<int>(i);
        DuiLib::CDuiString level;
        level.Format(u"%d.png", items[i].level);
        EXPECT_EQ(danmu.Cell(row, u"nick")->GetText(), items[i].nick.c_str()) << i;
        EXPECT_EQ(danmu.Cell(row, u"msg")->GetText(), items[i].msg.c_str()) << i;
        EXPECT_EQ(danmu.Cell(row, u"level")->GetBkImage(), level) << i;
    }
}
