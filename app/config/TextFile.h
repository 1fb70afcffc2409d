#pragma once

#include <functional>
#include <string>

// Whole small files: read with a size bound, written so that a crash or a
// full disk never leaves half a file.

enum class ReadResult { Ok, Missing, Failed };

// The whole file into `text`; Failed (with `reason`) when it cannot be read
// or is larger than `maxBytes`.
ReadResult ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& text, std::string& reason);

// Writes `text` to a new file beside `path` (mode 0600 whatever the umask),
// flushes it to the disk and renames it over `path`. `beforeRename` runs
// just before the rename (a point to stop at for tests). Returns "" or why
// it failed; on failure `path` is as it was and no new file is left.
std::string WriteFileAtomically(const std::string& path, const std::string& text,
    const std::function<void()>& beforeRename = nullptr);
