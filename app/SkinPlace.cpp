#include "app/SkinPlace.h"

#include <filesystem>
#include <system_error>

std::u16string DataFolderFor(const std::u16string& programDir)
{
    std::error_code ignored;
    if (std::filesystem::exists(std::filesystem::path(programDir + u"skin.zip"), ignored))
        return u"";
    return u"" ORVEL_SHARE_FROM_BIN;
}

std::u16string SkinFolderFor(const std::u16string& programDir)
{
    return DataFolderFor(programDir) + u"skin";
}
