// The program keeps one CLog and one CMemCache as statics; their destructors
// run during exit, with or without a thread of their own still running.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/Log.h"
#include "support/MemCache.h"
#include "tests/support/ThreadCount.h"

namespace fs = std::filesystem;

namespace {

class ExitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "exittest.XXXXXX").string();
        ASSERT_NE(nullptr, ::mkdtemp(pattern.data()));
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
};

[[noreturn]] void ExitWithStartedStatics(const std::string& base)
{
    static CLog log;
    static CMemCache cache;
    log.SetFile(base, 0, 1);
    log.Start();
    log.Append("last words");
    cache.SetInterval(60 * 60 * 1000);
    cache.Start();
    cache.Put("g", "k", "v");
    std::exit(0);
}

[[noreturn]] void ExitWithIdleStatics()
{
    static CLog log;
    static CMemCache cache;
    std::exit(0);
}

TEST_F(ExitTest, StartedStaticsStopTheirThreadsAndKeepTheText)
{
    std::string base = (m_dir / "app").string();
    EXPECT_EXIT(ExitWithStartedStatics(base), ::testing::ExitedWithCode(0), "");
    std::ifstream in(base + "_0.log");
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ("last words", text.str());
}

TEST(Idle, LogAndCacheStartNoThread)
{
    std::size_t before = ThreadCount();
    CLog log;
    CMemCache cache;
    log.Append("nobody writes this");
    cache.Put("g", "k", "nobody trims this");
    EXPECT_LE(ThreadCount(), before);
}

TEST_F(ExitTest, IdleStaticsEndQuietly)
{
    EXPECT_EXIT(ExitWithIdleStatics(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
