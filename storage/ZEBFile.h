#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileHandle.h"
#include "storage/ZEBCrypt.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

class ZEBFile;

// One cached stretch of the file, 2^shift bytes, aligned to its size.
struct ZEBFileCluster {
    explicit ZEBFileCluster(int32_t size);

    bool HasDirtyRange() const { return dirtyHigh >= 0; }
    void ClearDirtyRange(int32_t size) { dirtyLow = size; dirtyHigh = -1; }

    struct Free {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    // Zeroed by calloc: pages of a large cluster that a small file never reaches are never
    // touched.
    std::unique_ptr<uint8_t[], Free> buffer;
    int32_t start = -1;     // -1 while empty
    int32_t validLength = 0;
    int32_t dirtyLow;       // empty dirty range: low = cluster size, high = -1
    int32_t dirtyHigh = -1;
};

// Random-access view of an open file through a few clusters kept in most-recently-used order.
// Writes stay in the clusters until a cluster is reused or the file is flushed, signed,
// verified, truncated or closed. Every failure of the underlying file, and any access while
// closed, raises ZEBIOFailure.
class ZEBFile {
public:
    ZEBFile() = default;
    ZEBFile(const ZEBFile&) = delete;
    ZEBFile& operator=(const ZEBFile&) = delete;
    ~ZEBFile();

    // Takes ownership of handle; raises ZEBIOFailure (after closing it) when it is unusable.
    void Open(int handle, int shift, int clusterCount);
    // Opens path; its failures name it and give the system's reason.
    void Open(const std::string& path, FileAccess access, int shift, int clusterCount);
    void Close();
    void Flush();
    // Flushes, then has the system put the file on the disk.
    void Sync();

    bool IsOpen() const { return handle_ != InvalidFileHandle; }
    int32_t Size() const { return size_; }
    int32_t ClusterSize() const { return clusterSize_; }
    // The path it was opened with ("" when opened by handle), for messages.
    const std::string& Path() const { return path_; }
    // The I/O failure of action on this file, with the system's reason.
    ZEBIOFailure Failure(const char* action, int error) const;

    ZEBFileCluster& GetCluster(int32_t clusterStart);

    // Neither checks the logical size: bytes past it read as whatever the cluster holds.
    void Read(int32_t position, void* destination, int32_t count);
    void Write(int32_t position, const void* source, int32_t count);
    void Truncate(int32_t newSize);

    uint8_t ReadU8(int32_t position);
    uint16_t ReadU16(int32_t position);
    uint32_t ReadU32(int32_t position);
    void WriteU8(int32_t position, uint8_t value) { Write(position, &value, 1); }
    void WriteU16(int32_t position, uint16_t value);
    void WriteU32(int32_t position, uint32_t value);

    // The block signature of [start, end), stored at end. Verify is false, never a failure,
    // for a range that ends before it starts or a file too short to hold the digest.
    void Sign(int32_t start, int32_t end, int rounds = 1, long double key = SignatureKey,
              int n = SignatureSize);
    bool Verify(int32_t start, int32_t end, int rounds = 1, long double key = SignatureKey,
                int n = SignatureSize);
    // The block signature check, given up (false) as soon as stop is set.
    bool Verify(int32_t start, int32_t end, const std::atomic<bool>& stop);

    // Bytes up to the first 0, the logical end, the end of valid data, or maximum bytes.
    std::string ReadCString(int32_t position, int32_t maximum);
    // The same without a maximum; position ends past the 0 byte (or at the logical end).
    std::string ReadCString(int32_t& position);

private:
    void Adopt(int handle, int shift, int clusterCount, const std::string& path);
    ZEBFileCluster* HeadCovering(int64_t position, int64_t count) const;
    void WriteSlow(int32_t position, const uint8_t* source, int32_t count);
    void ReadSlow(int32_t position, uint8_t* destination, int32_t count);
    void WriteBack(ZEBFileCluster& cluster);
    std::string ScanCString(int32_t position, int32_t maximum, bool& terminated);
    // Empty when stopped.
    std::vector<uint8_t> Digest(int32_t start, int32_t end, int rounds, long double key, int n,
                                const std::atomic<bool>* stop = nullptr);
    bool VerifyDigest(int32_t start, int32_t end, int rounds, long double key, int n,
                      const std::atomic<bool>* stop);

    int32_t mask_ = 0;
    int handle_ = InvalidFileHandle;
    int32_t clusterSize_ = 0;
    int32_t size_ = 0;
    std::string path_;
    std::vector<std::unique_ptr<ZEBFileCluster>> clusters_;  // most recently used first
};

// The head cluster when it covers [position, position + count) entirely, else null. Byte-sized
// records of the importer and of the decoders all take this path.
inline ZEBFileCluster* ZEBFile::HeadCovering(int64_t position, int64_t count) const
{
    if (clusters_.empty())
        return nullptr;
    ZEBFileCluster* c = clusters_.front().get();
    if (c->start < 0 || position < c->start || position + count > int64_t(c->start) + clusterSize_)
        return nullptr;
    return c;
}

inline void ZEBFile::Write(int32_t position, const void* source, int32_t count)
{
    ZEBFileCluster* c = HeadCovering(position, count);
    if (!c || count <= 0) {
        WriteSlow(position, static_cast<const uint8_t*>(source), count);
        return;
    }
    int32_t lo = position - c->start;
    int32_t hi = lo + count;
    std::memcpy(c->buffer.get() + lo, source, size_t(count));
    if (lo < c->dirtyLow)
        c->dirtyLow = lo;
    if (hi - 1 > c->dirtyHigh)
        c->dirtyHigh = hi - 1;
    if (hi > c->validLength)
        c->validLength = hi;
    if (position + count > size_)
        size_ = position + count;
}

inline void ZEBFile::Read(int32_t position, void* destination, int32_t count)
{
    ZEBFileCluster* c = HeadCovering(position, count);
    if (!c || count <= 0) {
        ReadSlow(position, static_cast<uint8_t*>(destination), count);
        return;
    }
    std::memcpy(destination, c->buffer.get() + (position - c->start), size_t(count));
}

}  // namespace zeb
