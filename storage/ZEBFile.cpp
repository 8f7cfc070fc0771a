#include "storage/ZEBFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

#include "platform/FileIO.h"
#include "platform/LittleEndian.h"
#include "platform/ScopeExit.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

constexpr int64_t MaxFileSize = std::numeric_limits<int32_t>::max();

}  // namespace

ZEBFileCluster::ZEBFileCluster(int32_t size)
    : buffer(static_cast<uint8_t*>(std::calloc(size_t(size), 1))), dirtyLow(size)
{
    if (!buffer)
        throw std::bad_alloc();
}

ZEBFile::~ZEBFile()
{
    try {
        Close();
    } catch (const ZEBIOFailure&) {
        // A destructor cannot report it; callers that care close explicitly.
    }
}

void ZEBFile::Open(int handle, int shift, int clusterCount)
{
    Adopt(handle, shift, clusterCount, "");
}

void ZEBFile::Open(const std::string& path, FileAccess access, int shift, int clusterCount)
{
    Close();
    int handle = OpenFileHandle(path, access);
    if (handle == InvalidFileHandle)
        throw ZEBIOFailure(access == FileAccess::CreateNew ? "create" : "open", path, errno);
    Adopt(handle, shift, clusterCount, path);
}

void ZEBFile::Adopt(int handle, int shift, int clusterCount, const std::string& path)
{
    Close();
    if (handle == InvalidFileHandle)
        throw ZEBIOFailure("open", path, EBADF);
    off_t length = ::lseek(handle, 0, SEEK_END);
    if (length < 0 || length > MaxFileSize || shift < 0 || shift > 30 || clusterCount < 1) {
        int reason = length < 0 ? errno : EFBIG;
        ::close(handle);
        throw ZEBIOFailure("open", path, reason);
    }
    handle_ = handle;
    path_ = path;
    clusterSize_ = int32_t(1) << shift;
    mask_ = -clusterSize_;
    size_ = int32_t(length);
    for (int i = 0; i < clusterCount; ++i)
        clusters_.push_back(std::make_unique<ZEBFileCluster>(clusterSize_));
}

void ZEBFile::Close()
{
    if (!IsOpen())
        return;
    // The handle is released and the clusters freed even when the write-back fails.
    ScopeExit release([this] {
        clusters_.clear();
        ::close(handle_);
        handle_ = InvalidFileHandle;
        path_.clear();
    });
    Flush();
}

void ZEBFile::Flush()
{
    if (!IsOpen())
        throw Failure("write", EBADF);
    for (auto& cluster : clusters_)
        WriteBack(*cluster);
}

void ZEBFile::Sync()
{
    Flush();
    if (!SyncHandle(handle_))
        throw Failure("sync", errno);
}

void ZEBFile::WriteBack(ZEBFileCluster& c)
{
    if (c.start >= 0 && c.HasDirtyRange() && c.validLength > 0 &&
        !WriteAt(handle_, int64_t(c.start) + c.dirtyLow, c.buffer.get() + c.dirtyLow,
                 size_t(c.dirtyHigh - c.dirtyLow + 1)))
        throw Failure("write", errno);
    c.ClearDirtyRange(clusterSize_);
}

ZEBFileCluster& ZEBFile::GetCluster(int32_t p)
{
    if (!IsOpen())
        throw Failure("read", EBADF);
    if (p < 0 || int64_t(p) + clusterSize_ > MaxFileSize)
        throw Failure("read", EFBIG);
    auto hit = std::find_if(clusters_.begin(), clusters_.end(),
                            [p](const auto& c) { return c->start == p; });
    if (hit != clusters_.end()) {
        std::rotate(clusters_.begin(), hit, hit + 1);
        return *clusters_.front();
    }
    std::rotate(clusters_.begin(), clusters_.end() - 1, clusters_.end());
    ZEBFileCluster& c = *clusters_.front();
    WriteBack(c);
    c.start = -1;  // stays empty should the read below fail
    c.validLength = std::clamp(size_ - p, 0, clusterSize_);
    if (c.validLength > 0 && !ReadFullyAt(handle_, p, c.buffer.get(), size_t(c.validLength)))
        throw Failure("read", errno);
    c.start = p;
    return c;
}

void ZEBFile::WriteSlow(int32_t position, const uint8_t* source, int32_t count)
{
    if (!IsOpen())
        throw Failure("write", EBADF);
    if (position < 0 || int64_t(position) + count > MaxFileSize)
        throw Failure("write", EFBIG);
    if (count <= 0)
        return;
    int64_t end = int64_t(position) + count;
    for (int64_t s = position & mask_; s < end; s += clusterSize_) {
        ZEBFileCluster& c = GetCluster(int32_t(s));
        int32_t lo = int32_t(std::max<int64_t>(s, position));
        int32_t hi = int32_t(std::min<int64_t>(end, s + clusterSize_));
        c.dirtyLow = std::min(c.dirtyLow, int32_t(lo - s));
        c.dirtyHigh = std::max(c.dirtyHigh, int32_t(hi - s - 1));
        std::memcpy(c.buffer.get() + (lo - s), source + (lo - position), size_t(hi - lo));
        c.validLength = std::max(c.validLength, int32_t(hi - s));
    }
    size_ = std::max(size_, int32_t(end));
}

void ZEBFile::ReadSlow(int32_t position, uint8_t* destination, int32_t count)
{
    if (!IsOpen())
        throw Failure("read", EBADF);
    if (position < 0 || int64_t(position) + count > MaxFileSize)
        throw Failure("read", EINVAL);
    int64_t end = int64_t(position) + count;
    for (int64_t s = position & mask_; s < end; s += clusterSize_) {
        ZEBFileCluster& c = GetCluster(int32_t(s));
        int64_t lo = std::max<int64_t>(s, position);
        int64_t hi = std::min<int64_t>(end, s + clusterSize_);
        std::memcpy(destination + (lo - position), c.buffer.get() + (lo - s), size_t(hi - lo));
    }
}

void ZEBFile::Truncate(int32_t newSize)
{
    if (!IsOpen())
        throw Failure("truncate", EBADF);
    if (newSize < 0)
        throw Failure("truncate", EINVAL);
    if (newSize >= size_)
        return;
    size_ = newSize;
    for (auto& cluster : clusters_) {
        ZEBFileCluster& c = *cluster;
        if (c.start < 0)
            continue;
        if (c.start >= newSize) {
            c.start = -1;
            c.validLength = 0;
            c.ClearDirtyRange(clusterSize_);
        } else if (c.start + c.validLength > newSize) {
            c.validLength = newSize - c.start;
            // Bytes cut off must not be written back past the new end.
            c.dirtyHigh = std::min(c.dirtyHigh, c.validLength - 1);
            if (c.dirtyLow > c.dirtyHigh)
                c.ClearDirtyRange(clusterSize_);
        }
    }
    if (!TruncateHandle(handle_, newSize))
        throw Failure("truncate", errno);
}

ZEBIOFailure ZEBFile::Failure(const char* action, int error) const
{
    return ZEBIOFailure(action, path_, error);
}

uint8_t ZEBFile::ReadU8(int32_t position)
{
    uint8_t b;
    Read(position, &b, 1);
    return b;
}

uint16_t ZEBFile::ReadU16(int32_t position)
{
    uint8_t b[2];
    Read(position, b, 2);
    return LoadU16(b);
}

uint32_t ZEBFile::ReadU32(int32_t position)
{
    uint8_t b[4];
    Read(position, b, 4);
    return LoadU32(b);
}

void ZEBFile::WriteU16(int32_t position, uint16_t value)
{
    uint8_t b[2];
    StoreU16(b, value);
    Write(position, b, 2);
}

void ZEBFile::WriteU32(int32_t position, uint32_t value)
{
    uint8_t b[4];
    StoreU32(b, value);
    Write(position, b, 4);
}

std::vector<uint8_t> ZEBFile::Digest(int32_t start, int32_t end, int rounds, long double key, int n,
                                     const std::atomic<bool>* stop)
{
    ZEBCrypt crypt(n, rounds, key);
    if (start < 0)
        throw Failure("read", EINVAL);
    for (int64_t s = start & mask_; s < end; s += clusterSize_) {
        if (stop && stop->load(std::memory_order_relaxed))
            return {};
        ZEBFileCluster& c = GetCluster(int32_t(s));
        int64_t lo = std::max<int64_t>(s, start);
        int64_t hi = std::min<int64_t>(end, s + c.validLength);
        if (hi > lo)
            crypt.Update(c.buffer.get() + (lo - s), size_t(hi - lo));
    }
    return crypt.Final();
}

void ZEBFile::Sign(int32_t start, int32_t end, int rounds, long double key, int n)
{
    Flush();
    std::vector<uint8_t> digest = Digest(start, end, rounds, key, n);
    Write(end, digest.data(), n);
}

bool ZEBFile::Verify(int32_t start, int32_t end, int rounds, long double key, int n)
{
    return VerifyDigest(start, end, rounds, key, n, nullptr);
}

bool ZEBFile::Verify(int32_t start, int32_t end, const std::atomic<bool>& stop)
{
    return VerifyDigest(start, end, 1, SignatureKey, SignatureSize, &stop);
}

bool ZEBFile::VerifyDigest(int32_t start, int32_t end, int rounds, long double key, int n,
                           const std::atomic<bool>* stop)
{
    Flush();
    // A range that ends before it starts, or a file too short to hold the digest, is bad.
    if (end < start || int64_t(size_) < int64_t(end) + n)
        return false;
    std::vector<uint8_t> digest = Digest(start, end, rounds, key, n, stop);
    if (digest.empty())
        return false;
    std::vector<uint8_t> stored(static_cast<size_t>(n));
    Read(end, stored.data(), n);
    return digest == stored;
}

std::string ZEBFile::ScanCString(int32_t position, int32_t maximum, bool& terminated)
{
    std::string text;
    terminated = false;
    while (int32_t(text.size()) < maximum && position < size_) {
        ZEBFileCluster& c = GetCluster(position & mask_);
        int32_t offset = position - c.start;
        if (offset >= c.validLength)
            break;
        uint8_t b = c.buffer[size_t(offset)];
        if (b == 0) {
            terminated = true;
            break;
        }
        text.push_back(char(b));
        ++position;
    }
    return text;
}

std::string ZEBFile::ReadCString(int32_t position, int32_t maximum)
{
    bool terminated;
    return ScanCString(position, maximum, terminated);
}

std::string ZEBFile::ReadCString(int32_t& position)
{
    bool terminated;
    std::string text = ScanCString(position, std::numeric_limits<int32_t>::max(), terminated);
    position += int32_t(text.size()) + (terminated ? 1 : 0);
    return text;
}

}  // namespace zeb
