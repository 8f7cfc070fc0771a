#include "platform/DataFolder.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/ProgramFolder.h"

namespace zeb {

namespace fs = std::filesystem;

namespace {

bool MayWrite(const fs::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

bool MayWriteIfPresent(const fs::path& folder)
{
    std::error_code error;
    return !fs::exists(folder, error) || MayWrite(folder);
}

// An installed program's folder (bin/) is no place for data even when its user may write
// there, as root or with a prefix in the home folder may.
bool Installed(const std::string& programFolder)
{
    return HelpFilePath(programFolder) != (fs::path(programFolder) / HelpFileName).string();
}

fs::path HomeFolder()
{
    const char* home = ::getenv("HOME");
    if (home && *home)
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "/";
}

fs::path DataHome()
{
    const char* xdg = ::getenv("XDG_DATA_HOME");
    if (xdg && fs::path(xdg).is_absolute())
        return xdg;
    return HomeFolder() / ".local" / "share";
}

}  // namespace

std::string UserDataFolder()
{
    const fs::path folder = DataHome() / "zebreader";
    std::error_code error;
    fs::create_directories(folder, error);
    return folder.string();
}

std::string DataFolder(const std::string& programFolder)
{
    const fs::path folder(programFolder);
    if (MayWrite(folder) && MayWriteIfPresent(folder / "Books") && !Installed(programFolder))
        return programFolder;
    return UserDataFolder();
}

}  // namespace zeb
