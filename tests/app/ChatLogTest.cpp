// The chat log's writer: its lines and files, the day's size bound, and a
// folder it cannot write.

#include <cstdlib>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/ChatLog.h"
#include "support/XdgPaths.h"
#include "tests/common/TempFolder.h"
#include "tests/support/FakeClock.h"

namespace {

// 2024-01-01 15:59:59 UTC: 23:59:59 in a zone 8 hours ahead.
constexpr std::time_t kLateEvening = 1704124799;

struct Reports {
    std::vector<std::string> lines; // read once the log is gone
    CChatLog::Report Collect()
    {
        return [this](const std::string& line) { lines.push_back(line); };
    }
};

// The local date names the file; a row after midnight starts the next one.
TEST(ChatLogTest, RowsGoEscapedToTheFileOfTheirLocalDayAndOnlyWhileOn)
{
    setenv("TZ", "XYZ-8", 1);
    tzset();
    TempFolder temp;
    bool on = false;
    Reports reports;
    {
        CChatLog log(on, temp.Path(), FakeNow, reports.Collect());
        g_now = kLateEvening;
        log.RowsArrived(1000, {{u"off:", u"x", 1, false}}, true);
        on = true;
        log.RowsArrived(1000, {{u"小明:", u"a\tb\nc\\d\r\x1b[2J\x7f", 5, false}, {u"", u"e", 0, false}}, false);
        g_now = kLateEvening + 2;
        log.RowsArrived(1000, {{u"g:", u"送出了[火箭]", 0, true}}, false);
    }
    unsetenv("TZ");
    tzset();
    EXPECT_EQ(ReadWhole(temp.Path() + "/1000/2024-01-01.tsv"),
        "23:59:59\t5\t小明\ta\\tb\\nc\\\\d\\r\\x1b[2J\\x7f\t0\n23:59:59\t0\t\te\t0\n");
    EXPECT_EQ(ReadWhole(temp.Path() + "/1000/2024-01-02.tsv"), "00:00:01\t0\tg\t送出了[火箭]\t1\n");
    EXPECT_TRUE(reports.lines.empty());
}

// What fits is appended (never rewritten); the first row that does not
// fit ends the file for the day, said once.
TEST(ChatLogTest, ADayFileStopsAtItsBoundAndSaysSoOnce)
{
    TempFolder temp;
    g_now = kLateEvening;
    const DanmuItem row{u"a:", u"b", 1, false};
    const std::string line = ChatLogLine(g_now, row), path = ChatLogFile(temp.Path(), 7, g_now);
    ASSERT_EQ(MakeDirs(temp.Path() + "/7", 0700), 0);
    WriteWhole(path, "old\n");
    ASSERT_EQ(truncate(path.c_str(), kMaxChatLogBytes - static_cast<off_t>(line.size())), 0);
    Reports reports;
    {
        const bool on = true;
        CChatLog log(on, temp.Path(), FakeNow, reports.Collect());
        log.RowsArrived(7, {row, row}, false);
        log.RowsArrived(7, {row}, false);
    }
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, kMaxChatLogBytes) << "appended to, one row's worth";
    ASSERT_EQ(reports.lines.size(), 1u);
    EXPECT_NE(reports.lines[0].find("64 MiB"), std::string::npos) << reports.lines[0];
}

// The writer held up (in its report of the folder): rows past the queue's
// bound are dropped and counted, and the user-interface side never waits.
TEST(ChatLogTest, AnUnwritableFolderIsSaidOnceAndAFullQueueDropsRowsWithACount)
{
    TempFolder temp;
    const std::string folder = temp.Path() + "/chat";
    ASSERT_EQ(MakeDirs(folder, 0555), 0);
    if (geteuid() == 0) // modes do not stop root: a file where the room's folder goes
        WriteWhole(folder + "/1", "");
    std::promise<void> reporting, released;
    Reports reports;
    {
        const bool on = true;
        CChatLog log(on, folder, FakeNow, [&](const std::string& line) {
            reports.lines.push_back(line);
            if (reports.lines.size() == 1) {
                reporting.set_value();
                released.get_future().wait();
            }
        });
        log.RowsArrived(1, {{u"a:", u"b", 1, false}}, false);
        reporting.get_future().wait();
        log.RowsArrived(1, std::vector<DanmuItem>(kMaxChatLogQueue + 3, DanmuItem{u"a:", u"b", 1, false}), false);
        released.set_value();
    }
    ASSERT_EQ(reports.lines.size(), 2u);
    EXPECT_NE(reports.lines[0].find("cannot write " + folder + "/1/"), std::string::npos) << reports.lines[0];
    EXPECT_NE(reports.lines[1].find(" 3 rows dropped"), std::string::npos) << reports.lines[1];
}

} // namespace
