#include "tests/common/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "orvel-test-XXXXXX").string();
    m_path = mkdtemp(pattern.data()) ? pattern : "";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteWhole(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}
