#include "support/XdgPaths.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/common/TempFolder.h"

namespace {

// Sets or, for null, removes a variable; nothing else in this program reads
// these.
void SetVariable(const char* name, const char* value)
{
  value ? setenv(name, value, 1) : unsetenv(name);
}

TEST(XdgPathsTest, FoldersFollowTheVariablesAndFallBackUnderHome) {
  const char* const variables[] = {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"};
  const struct { const char* set[3]; std::string want[3]; } cases[] = {
    {{"/cfg", "/st", "/dt"}, {"/cfg/orvel-helper", "/st/orvel-helper", "/dt/orvel-helper"}},
    {{nullptr, nullptr, nullptr},
     {"/home/u/.config/orvel-helper", "/home/u/.local/state/orvel-helper", "/home/u/.local/share/orvel-helper"}},
    {{"relative/cfg", "", "dt"},
     {"/home/u/.config/orvel-helper", "/home/u/.local/state/orvel-helper", "/home/u/.local/share/orvel-helper"}},
  };
  SetVariable("HOME", "/home/u");
  for (const auto& c : cases) {
    for (int i = 0; i < 3; ++i) SetVariable(variables[i], c.set[i]);
    EXPECT_EQ(XdgConfigDir(), c.want[0]);
    EXPECT_EQ(XdgStateDir(), c.want[1]);
    EXPECT_EQ(XdgDataDir(), c.want[2]);
  }
}

TEST(XdgPathsTest, MakeDirsCreatesParentsAndSetsTheModeWhateverTheUmask) {
  TempFolder base;
  std::string leaf = base.Path() + "/a/b/orvel-helper";
  mode_t old = umask(0);
  EXPECT_EQ(MakeDirs(leaf, 0700), 0);
  EXPECT_EQ(MakeDirs(leaf, 0700), 0); // again: already there
  umask(old);
  struct stat info;
  ASSERT_EQ(stat(leaf.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  std::string file = base.Path() + "/file";
  close(creat(file.c_str(), 0600));
  EXPECT_EQ(MakeDirs(file + "/below", 0700), -1);
  EXPECT_EQ(MakeDirs(file, 0700), -1);
}

} // namespace
