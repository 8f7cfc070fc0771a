#include "platform/ReplaceFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace zeb {

namespace {

bool SyncPath(const std::string& path, int flags)
{
    int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

}  // namespace

bool ReplaceFile(const std::string& source, const std::string& target)
{
    if (!SyncPath(source, O_RDONLY))
        return false;
    if (std::rename(source.c_str(), target.c_str()) != 0)
        return false;
    // The rename itself reaches the disk with the folder; it is done either way, so a
    // failure here changes nothing the caller could act on.
    std::string folder = std::filesystem::path(target).parent_path().string();
    SyncPath(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY);
    return true;
}

}  // namespace zeb
