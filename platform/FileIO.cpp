#include "platform/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace zeb {

namespace {

std::atomic<int64_t> changeBudget{-1};

// One change to the file system is about to be made; false when the test budget is spent.
bool MayChange()
{
    int64_t left = changeBudget.load(std::memory_order_relaxed);
    if (left < 0)
        return true;
    if (left == 0) {
        errno = EIO;
        return false;
    }
    changeBudget.store(left - 1, std::memory_order_relaxed);
    return true;
}

template <typename Transfer, typename Byte>
int64_t TransferAt(Transfer transfer, int handle, int64_t position, Byte* data, size_t count)
{
    size_t done = 0;
    while (done < count) {
        ssize_t n = transfer(handle, data + done, count - done, off_t(position + int64_t(done)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += size_t(n);
    }
    return int64_t(done);
}

}  // namespace

int64_t ReadAt(int handle, int64_t position, void* data, size_t count)
{
    return TransferAt(::pread, handle, position, static_cast<uint8_t*>(data), count);
}

bool ReadFullyAt(int handle, int64_t position, void* data, size_t count)
{
    int64_t done = ReadAt(handle, position, data, count);
    if (done >= 0 && size_t(done) < count)
        errno = 0;
    return done >= 0 && size_t(done) == count;
}

bool WriteAt(int handle, int64_t position, const void* data, size_t count)
{
    if (!MayChange())
        return false;
    int64_t done = TransferAt(::pwrite, handle, position, static_cast<const uint8_t*>(data), count);
    if (done >= 0 && size_t(done) < count)
        errno = ENOSPC;  // pwrite wrote nothing and said nothing
    return done >= 0 && size_t(done) == count;
}

bool TruncateHandle(int handle, int64_t size)
{
    if (!MayChange())
        return false;
    int result;
    do {
        result = ::ftruncate(handle, off_t(size));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool SyncHandle(int handle)
{
    if (!MayChange())
        return false;
    int result;
    do {
        result = ::fsync(handle);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool RenamePath(const std::string& from, const std::string& to)
{
    if (!MayChange() || std::rename(from.c_str(), to.c_str()) != 0)
        return false;
    // The rename reaches the disk with its folder. It is done either way, so a failure here
    // changes nothing a caller could act on.
    std::string folder = std::filesystem::path(to).parent_path().string();
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

bool RemovePath(const std::string& path)
{
    if (!MayChange())
        return false;
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool NameExists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

void SetFileChangeBudgetForTesting(int64_t changes)
{
    changeBudget.store(changes < 0 ? -1 : changes, std::memory_order_relaxed);
}

}  // namespace zeb
