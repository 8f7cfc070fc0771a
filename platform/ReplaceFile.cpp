#include "platform/ReplaceFile.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/FileIO.h"

namespace zeb {

bool ReplaceFile(const std::string& source, const std::string& target)
{
    int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    bool synced = SyncHandle(fd);
    ::close(fd);
    return synced && RenamePath(source, target);
}

}  // namespace zeb
