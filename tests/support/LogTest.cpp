#include "support/Log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "tests/common/TempFolder.h"
#include "tests/support/FakeClock.h"

namespace fs = std::filesystem;

namespace {

// Lets a test drive the writer one pass at a time, without a thread.
class PassLog : public CLog {
public:
    PassLog() : CLog(FakeNow) {}
    using CLog::WritePass;
};

class LogTest : public ::testing::Test {
protected:
    LogTest() { g_now = 1000; }
    std::string FileName(int index) const { return m_base + "_" + std::to_string(index) + ".log"; }
    std::string Contents(int index) const { return ReadWhole(FileName(index)); }

    // Appends text and lets the writer pass once the text is old enough.
    static void WriteOld(PassLog& log, const std::string& text)
    {
        log.Append(text);
        g_now += 3;
        ASSERT_TRUE(log.WritePass(false));
    }

    TempFolder m_folder;
    const std::string m_base = m_folder.Path() + "/app";
};

TEST_F(LogTest, WritesAtTheBatchSizeOrWhenOlderThanTwoSeconds)
{
    PassLog log;
    ASSERT_EQ(0, log.SetFile(m_base, 0, 1));
    EXPECT_FALSE(log.WritePass(false));  // nothing pending

    log.Append("a");
    EXPECT_TRUE(log.WritePass(false));  // first text: the last write was at time 0
    log.Append("b");
    g_now = 1002;
    EXPECT_FALSE(log.WritePass(false));  // two seconds are not more than two
    g_now = 1003;
    EXPECT_TRUE(log.WritePass(false));

    log.Append(std::string(1023, 'x'));
    EXPECT_FALSE(log.WritePass(false));
    log.Append("y");
    EXPECT_TRUE(log.WritePass(false));  // 1024 characters are due at once
    EXPECT_EQ("ab" + std::string(1023, 'x') + "y", Contents(0));

    g_now = 900;  // the clock went back: small text waits
    log.Append("z");
    EXPECT_FALSE(log.WritePass(false));
}

// Full files are skipped; once the numbering wraps, files start empty.
TEST_F(LogTest, FillsTheNumberedFilesInTurn)
{
    const std::string full(20, 'o');
    const struct { const char* name; int sizeLimit, fileCount;
                   std::vector<std::string> planted, writes, files; } cases[] = {  // files 0, 1, ... before and after
        {"SkipsFullFilesAndOverwritesAfterWrapping", 10, 3, {full, "old", full},
         {"0123456789", "wrapped", "AAAA", "B"}, {"wrappedAAAA", "B", full}},
        {"SizeLimitZeroKeepsOneGrowingFile", 0, 3, {}, {"one", "two"}, {"onetwo"}},
        {"FileCountZeroOverwritesOneFile", 4, 0, {"old!!"}, {"three", "four!"}, {"four!"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (std::size_t i = 0; i < 3; ++i)  // what the case before left
            fs::remove(FileName(i));
        for (std::size_t i = 0; i < c.planted.size(); ++i)
            WriteWhole(FileName(i), c.planted[i]);
        PassLog log;
        ASSERT_EQ(0, log.SetFile(m_base, c.sizeLimit, c.fileCount));
        for (const std::string& text : c.writes)
            WriteOld(log, text);
        for (std::size_t i = 0; i < c.files.size(); ++i)
            EXPECT_EQ(c.files[i], Contents(i)) << i;
        EXPECT_FALSE(fs::exists(FileName(c.files.size())));
    }
}

// Once a file cannot be opened the text goes to standard output, and no
// file is tried again.
TEST_F(LogTest, UnopenableFilesAreReportedOnceAndTextGoesToStandardOutput)
{
    const std::string missing = m_folder.Path() + "/missing/app";
    fs::create_directory(FileName(1));  // a folder where the second file should be
    PassLog log;
    testing::internal::CaptureStderr();
    EXPECT_EQ(-1, log.SetFile(missing, 5, 2));
    ASSERT_EQ(0, log.SetFile(m_base, 5, 2));
    testing::internal::CaptureStdout();
    for (const char* text : {"12345", "second", "third"})
        WriteOld(log, text);
    EXPECT_EQ("secondthird", testing::internal::GetCapturedStdout());
    EXPECT_EQ("Open LOG " + missing + "_0.log failed.\nOpen LOG " + FileName(1) + " failed.\n",
              testing::internal::GetCapturedStderr());
    EXPECT_EQ("12345", Contents(0));
}

TEST_F(LogTest, DestructionWithARunningWriterWritesWhatIsPending)
{
    {
        PassLog log;
        ASSERT_EQ(0, log.SetFile(m_base, 0, 1));
        ASSERT_EQ(0, log.Start());
        EXPECT_EQ(-1, log.SetFile(m_base, 0, 2));  // not while the writer runs
        log.Append("due ");
        while (Contents(0).empty())  // the first text is due at once
            std::this_thread::yield();
        log.Append("not yet due");  // the clock stands still: never due by age
    }
    EXPECT_EQ("due not yet due", Contents(0));
}

}  // namespace
