#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace zeb {

std::string ProgramFolder()
{
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path())
        return ".";
    return exe.parent_path().string();
}

std::string HelpFilePath(const std::string& programFolder)
{
    return (std::filesystem::path(programFolder) / "ZEBREADER.HLP").string();
}

std::string GuideFilePath(const std::string& programFolder)
{
    return (std::filesystem::path(programFolder) / "Guide.txt").string();
}

}  // namespace zeb
