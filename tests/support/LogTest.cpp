#include "support/Log.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "tests/common/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::atomic<std::time_t> g_now{1000};

std::time_t FakeNow()
{
    return g_now.load();
}

// Lets a test drive the writer one pass at a time, without a thread.
class PassLog : public CLog {
public:
    PassLog() : CLog(FakeNow) {}
    using CLog::WritePass;
};

class LogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_now = 1000;
        ASSERT_NE("", m_folder.Path());
    }

    std::string FileName(int index) const { return m_base + "_" + std::to_string(index) + ".log"; }
    std::string Contents(int index) const { return ReadWhole(FileName(index)); }
    void Plant(int index, const std::string& text) const { WriteWhole(FileName(index), text); }

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

// --- when pending text is written ---

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

// --- rotation over the numbered files ---

TEST_F(LogTest, SkipsFilesAlreadyFullAndWrapsWhenAllAre)
{
    Plant(0, std::string(20, 'o'));
    Plant(1, "old");
    Plant(2, std::string(20, 'o'));
    PassLog log;
    ASSERT_EQ(0, log.SetFile(m_base, 10, 3));
    WriteOld(log, "0123456789");
    EXPECT_EQ("old0123456789", Contents(1));
    WriteOld(log, "wrapped");  // file 1 is full now, and so is file 2
    EXPECT_EQ("wrapped", Contents(0));
    EXPECT_EQ(std::string(20, 'o'), Contents(2));
}

TEST_F(LogTest, RotatesOverTheFilesAndOverwritesThemAfterWrapping)
{
    PassLog log;
    ASSERT_EQ(0, log.SetFile(m_base, 10, 3));
    for (char c : {'A', 'B', 'C', 'D'})
        WriteOld(log, std::string(12, c));  // each chunk fills a file on its own
    WriteOld(log, "EEE");
    WriteOld(log, "FFFFFFF");
    WriteOld(log, "GGG");

    EXPECT_EQ(std::string(12, 'D'), Contents(0));  // truncated when the numbering wrapped
    EXPECT_EQ("EEEFFFFFFF", Contents(1));
    EXPECT_EQ("GGG", Contents(2));
    EXPECT_FALSE(fs::exists(FileName(3)));
}

TEST_F(LogTest, SizeLimitZeroKeepsOneGrowingFileAndFileCountZeroOneOverwrittenFile)
{
    {
        PassLog log;
        ASSERT_EQ(0, log.SetFile(m_base, 0, 3));
        WriteOld(log, "one");
        WriteOld(log, "two");
        EXPECT_EQ("onetwo", Contents(0));
    }
    PassLog log;
    ASSERT_EQ(0, log.SetFile(m_base, 4, 0));
    WriteOld(log, "three");
    EXPECT_EQ("three", Contents(0));
    EXPECT_FALSE(fs::exists(FileName(1)));
}

// --- files that cannot be opened ---

TEST_F(LogTest, UnopenableFileIsReportedAndTextGoesToStandardOutput)
{
    PassLog log;
    const std::string base = m_folder.Path() + "/missing/app";
    testing::internal::CaptureStderr();
    EXPECT_EQ(-1, log.SetFile(base, 10, 3));
    EXPECT_EQ("Open LOG " + base + "_0.log failed.\n", testing::internal::GetCapturedStderr());

    log.Append("kept");
    testing::internal::CaptureStdout();
    EXPECT_TRUE(log.WritePass(false));
    EXPECT_EQ("kept", testing::internal::GetCapturedStdout());
}

TEST_F(LogTest, UnopenableNextFileKeepsTextOnStandardOutputAndOldFilesIntact)
{
    fs::create_directory(FileName(1));  // a folder where the next file should be
    PassLog log;
    ASSERT_EQ(0, log.SetFile(m_base, 5, 2));
    WriteOld(log, "12345");

    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    std::fputs("standard output already past the limit ", stdout);
    WriteOld(log, "second");
    WriteOld(log, "third");
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ("standard output already past the limit secondthird", out);
    EXPECT_EQ("Open LOG " + FileName(1) + " failed.\n", err);  // once: no retries
    EXPECT_EQ("12345", Contents(0));
}

// --- destruction ---

TEST_F(LogTest, DestructionWithARunningWriterWritesWhatIsPending)
{
    {
        PassLog log;
        ASSERT_EQ(0, log.SetFile(m_base, 0, 1));
        ASSERT_EQ(0, log.Start());
        log.Append("due ");
        while (Contents(0).empty())  // the first text is due at once
            std::this_thread::yield();
        log.Append("not yet due");  // the clock stands still: never due by age
    }
    EXPECT_EQ("due not yet due", Contents(0));
}

TEST_F(LogTest, DestructionWithoutAWriterClosesTheFileUnwritten)
{
    {
        PassLog log;
        ASSERT_EQ(0, log.SetFile(m_base, 0, 1));
        log.Append("never written");
    }
    EXPECT_TRUE(fs::exists(FileName(0)));
    EXPECT_EQ("", Contents(0));
}

}  // namespace
