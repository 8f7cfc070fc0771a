// Buffered writes through a plain file handle; the CRC-32, when kept here, runs over each
// buffer as it is written.
#include "library/common/ExtractedFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "library/common/Crc.h"
#include "platform/FileHandle.h"
#include "platform/FileIO.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

ExtractedFile::ExtractedFile(std::string path, uint64_t limit, Checksum checksum)
    : path_(std::move(path)),
      handle_(OpenFileHandle(path_, FileAccess::CreateNew)),
      limit_(limit),
      checksum_(checksum),
      buffer_(new uint8_t[BufferSize])
{
    if (handle_ == InvalidFileHandle)
        throw ZEBIOFailure("create", path_, errno);
}

ExtractedFile::~ExtractedFile()
{
    CloseHandle();
    if (!kept_)
        RemovePath(path_);
}

void ExtractedFile::Put(const uint8_t* data, size_t size)
{
    while (size > 0) {
        if (fill_ == BufferSize)
            Drain();
        uint64_t room = limit_ - std::min(limit_, flushed_ + fill_);
        size_t step = std::min({size, BufferSize - fill_, size_t(std::min<uint64_t>(room, size))});
        if (step == 0) {
            overflowed_ = true;
            return;
        }
        std::memcpy(buffer_.get() + fill_, data, step);
        fill_ += step;
        data += step;
        size -= step;
    }
}

void ExtractedFile::Drain()
{
    if (checksum_ == Checksum::Crc32)
        crc_.Update(buffer_.get(), fill_);
    if (!WriteAt(handle_, int64_t(flushed_), buffer_.get(), fill_))
        throw ZEBIOFailure("write", path_, errno);
    flushed_ += fill_;
    fill_ = 0;
}

void ExtractedFile::Finish()
{
    Drain();
    int handle = handle_;
    handle_ = InvalidFileHandle;
    if (::close(handle) != 0)
        throw ZEBIOFailure("write", path_, errno);
}

void ExtractedFile::CloseHandle()
{
    if (handle_ != InvalidFileHandle)
        ::close(handle_);
    handle_ = InvalidFileHandle;
}

}  // namespace zeb
