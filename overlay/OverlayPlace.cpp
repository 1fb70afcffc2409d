#include "overlay/OverlayPlace.h"

#include <filesystem>
#include <system_error>

std::string OverlayPageFolderFor(const std::string& programDir)
{
    std::error_code ignored;
    if (std::filesystem::exists(programDir + "overlay/index.html", ignored))
        return programDir + "overlay/";
    return programDir + ORVEL_SHARE_FROM_BIN "overlay/";
}
