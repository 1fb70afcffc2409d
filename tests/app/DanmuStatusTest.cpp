// The feed's status in the danmaku window's title bar, and in the log.

#include <QWidget>

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/FeedLog.h"
#include "support/Log.h"
#include "tests/app/DanmuFixture.h"
#include "tests/common/TempFolder.h"

using namespace DuiLib;

namespace {

using DanmuStatusTest = DanmuFeedTest;

TEST_F(DanmuStatusTest, AFailedCycleShowsWhyUntilAGoodOne)
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

TEST_F(DanmuStatusTest, TheLogGetsOneLinePerChangeOfState)
{
    TempFolder folder;
    ASSERT_NE(folder.Path(), "");
    const std::string base = folder.Path() + "/orvel-helper";
    {
        CLog log;
        ASSERT_EQ(log.SetFile(base, kLogFileBytes, kLogFiles), 0);
        SetProgramLog(&log);
        for (const PollOutcome& outcome : {Cycle(-3, 200, true), Cycle(-3, 200, true), Cycle(-3, 200, true),
                                           Cycle(0, 200, true), Cycle(0, 200, true), Cycle(0, 200, false)})
            Report(outcome);
        SetProgramLog(nullptr);
    } // the log writes what it holds as it ends
    std::istringstream text(ReadWhole(base + "_0.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.substr(line.find("feed:")));
    EXPECT_EQ(lines, (std::vector<std::string>{"feed: 连接中断: 无法连接 127.0.0.1:18080", "feed: 已恢复",
                                               "feed: 连接中断: 服务器回复无法解析"}));
}

} // namespace
