#pragma once

// Internal: where layouts and images come from.

#include <QByteArray>
#include <QString>

namespace DuiLib::skin {

void SetFolder(const QString& folder);
// An empty name reads from the folder itself.
void SetArchive(const QString& name);
// The file's bytes; false when the skin has no such file.
bool Read(const QString& name, QByteArray& bytes);

// How many image names the skin lacks are remembered at most.
constexpr int kRememberedMissingImages = 256;
// The image names remembered now, found or missing.
int RememberedNames();

} // namespace DuiLib::skin
