#pragma once
#include <string>

// The program's own folders under the XDG base directories. A variable that
// is unset, empty or not an absolute path is ignored, as the XDG rules say.
std::string XdgConfigDir(); // $XDG_CONFIG_HOME/orvel-helper, else ~/.config/orvel-helper
std::string XdgStateDir();  // $XDG_STATE_HOME/orvel-helper, else ~/.local/state/orvel-helper
std::string XdgDataDir();   // $XDG_DATA_HOME/orvel-helper, else ~/.local/share/orvel-helper

// Creates the folder and any missing parents; the last one gets `mode`
// whatever the umask. Returns 0 when the folder exists afterwards, -1 if not.
int MakeDirs(const std::string& path, unsigned mode);
