#include "platform/FileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb {

int OpenFileHandle(const std::string& path, FileAccess access)
{
    // O_NONBLOCK keeps a FIFO from blocking the open; only regular files are accepted.
    int flags = O_CLOEXEC | O_NONBLOCK;
    switch (access) {
    case FileAccess::Read: flags |= O_RDONLY; break;
    case FileAccess::ReadWrite: flags |= O_RDWR; break;
    case FileAccess::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    }
    int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0)
        return InvalidFileHandle;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return InvalidFileHandle;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace zeb
