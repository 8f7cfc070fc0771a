// Positioned reads on a plain handle; a read past the end is a ZipError.
#include "library/zip/ZipArchiveFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "library/zip/ZipError.h"
#include "platform/FileHandle.h"
#include "platform/FileIO.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

void ZipArchiveFile::Open(const std::string& path)
{
    Close();
    handle_ = OpenFileHandle(path, FileAccess::Read);
    path_ = path;
    struct stat st {};
    if (handle_ < 0 || ::fstat(handle_, &st) != 0) {
        Close();
        throw ZipError(ZipNotValidText);
    }
    size_ = uint64_t(st.st_size);
}

void ZipArchiveFile::Close()
{
    if (handle_ >= 0)
        ::close(handle_);
    handle_ = -1;
    size_ = 0;
}

size_t ZipArchiveFile::ReadSomeAt(uint64_t position, void* destination, size_t size) const
{
    if (position >= size_)
        return 0;
    if (size > size_ - position)
        size = size_t(size_ - position);
    int64_t done = zeb::ReadAt(handle_, int64_t(position), destination, size);
    if (done < 0)
        throw ZEBIOFailure("read", path_, errno);
    return size_t(done);
}

void ZipArchiveFile::ReadAt(uint64_t position, void* destination, size_t size) const
{
    if (ReadSomeAt(position, destination, size) != size)
        throw ZipError(ZipPrematureEndText);
}

}  // namespace zeb
