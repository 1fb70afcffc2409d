#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Whole-file helpers for tests.
std::string ReadWhole(const std::string& path);
void WriteWhole(const std::string& path, const std::string& text);
