#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace zeb {

namespace fs = std::filesystem;

std::string ProgramFolder()
{
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path())
        return ".";
    return exe.parent_path().string();
}

std::string ResourceFilePath(const std::string& programFolder, const std::string& name)
{
    const fs::path beside = fs::path(programFolder) / name;
    const fs::path installed =
        (fs::path(programFolder) / ZEB_INSTALLED_RESOURCES / name).lexically_normal();
    std::error_code error;
    if (!fs::exists(beside, error) && fs::exists(installed, error))
        return installed.string();
    return beside.string();
}

std::string HelpFilePath(const std::string& programFolder)
{
    return ResourceFilePath(programFolder, HelpFileName);
}

}  // namespace zeb
