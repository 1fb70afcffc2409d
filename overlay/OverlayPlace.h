#pragma once

#include <string>

// Where the page's files are: "overlay/" beside the program (a build folder),
// else where an installation puts them, "share/orvel-helper/overlay/" beside
// the program's "bin/". `programDir` ends in a separator; so does the result.
std::string OverlayPageFolderFor(const std::string& programDir);
