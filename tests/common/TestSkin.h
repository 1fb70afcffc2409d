#pragma once

#include <string>

// Points the library at a skin: the archive zip inside folder, or the folder
// itself when zip is empty.
void UseSkin(const std::string& folder, const char16_t* zip);
// The program's skin.zip in the build folder.
void UseProgramSkin();
