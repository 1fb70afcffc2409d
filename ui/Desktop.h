#pragma once

#include <string>

namespace DuiLib {

// Shows a local folder in the desktop's file manager. False when no program
// could be asked to.
bool OpenFolder(const std::string& path);

} // namespace DuiLib
