#include "support/XdgPaths.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kProgramFolder[] = "/orvel-helper";

std::string HomeDir() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return home;
  const passwd* entry = getpwuid(getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "/tmp";
}

std::string BaseDir(const char* variable, const char* underHome) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return value;
  return HomeDir() + underHome;
}

} // namespace

std::string XdgConfigDir() { return BaseDir("XDG_CONFIG_HOME", "/.config") + kProgramFolder; }

std::string XdgStateDir() { return BaseDir("XDG_STATE_HOME", "/.local/state") + kProgramFolder; }

std::string XdgDataDir() { return BaseDir("XDG_DATA_HOME", "/.local/share") + kProgramFolder; }

int MakeDirs(const std::string& path, unsigned mode) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    std::string parent = path.substr(0, slash);
    if (mkdir(parent.c_str(), 0755) != 0 && errno != EEXIST) return -1;
  }
  if (mkdir(path.c_str(), mode) != 0 && errno != EEXIST) return -1;
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return -1;
  return chmod(path.c_str(), mode) == 0 ? 0 : -1;
}
