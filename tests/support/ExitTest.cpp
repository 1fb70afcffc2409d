// The program keeps one CLog and one CMemCache as statics; their destructors
// run during exit, with a thread of their own still running.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/Log.h"
#include "support/MemCache.h"
#include "tests/common/TempFolder.h"
#include "tests/support/ThreadCount.h"

namespace {

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

TEST(ExitTest, StartedStaticsStopTheirThreadsAndKeepTheText)
{
    TempFolder folder;
    ASSERT_NE("", folder.Path());
    const std::string base = folder.Path() + "/app";
    EXPECT_EXIT(ExitWithStartedStatics(base), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ("last words", ReadWhole(base + "_0.log"));
}

TEST(Idle, LogAndCacheStartNoThreadAndWriteNothing)
{
    TempFolder folder;
    const std::string base = folder.Path() + "/app";
    std::size_t before = ThreadCount();
    {
        CLog log;
        CMemCache cache;
        ASSERT_EQ(0, log.SetFile(base, 0, 1));
        log.Append("nobody writes this");
        cache.Put("g", "k", "nobody trims this");
        EXPECT_LE(ThreadCount(), before);
    }
    EXPECT_TRUE(std::filesystem::exists(base + "_0.log"));
    EXPECT_EQ("", ReadWhole(base + "_0.log"));
}

}  // namespace
