#include "platform/FileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zeb {

int OpenFileHandle(const std::string& path, FileAccess access)
{
    // O_NONBLOCK keeps a FIFO from blocking the open; only regular files are accepted.
    int flags = O_CLOEXEC | O_NONBLOCK;
    switch (access) {
    case FileAccess::Read: flags |= O_RDONLY; break;
    case FileAccess::ReadWrite: flags |= O_RDWR; break;
    case FileAccess::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW; break;
    }
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return InvalidFileHandle;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        int reason = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = reason;
        return InvalidFileHandle;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace zeb
