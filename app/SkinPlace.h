#pragma once

#include <string>

// Where the skin archive is found: "skin.zip" beside the program (a build
// folder, or a copy kept together), else where an installation puts it,
// "share/orvel-helper/" beside the program's "bin/". Returns the skin folder
// relative to `programDir` (which ends in a separator); the archive lies
// beside that folder.
std::u16string SkinFolderFor(const std::u16string& programDir);
// The folder of the program's other data files (the gift sound), found the
// same way: relative to `programDir`, empty or ending in a separator.
std::u16string DataFolderFor(const std::u16string& programDir);
