// The output file of a ZIP or RAR member, never longer than the member's declared size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "library/common/ByteSink.h"
#include "library/common/Crc.h"

namespace zeb {

// A member being written into the scratch folder: buffered, checksummed with CRC-32, and never
// longer than the size its archive declares, so that a small archive cannot fill the disk.
// The file is removed again when the object goes away, unless Keep() was called.
class ExtractedFile : public ByteSink {
public:
    // Whether the written bytes are checksummed here (ZIP) or by the archive's own library (RAR).
    enum class Checksum { Crc32, ByLibrary };

    // Creates (or empties) the file; raises ZEBIOFailure when it cannot be created.
    ExtractedFile(std::string path, uint64_t limit, Checksum checksum = Checksum::Crc32);
    ~ExtractedFile() override;
    ExtractedFile(const ExtractedFile&) = delete;
    ExtractedFile& operator=(const ExtractedFile&) = delete;

    void Put(const uint8_t* data, size_t size) override;

    uint64_t Written() const { return flushed_ + fill_; }
    // True once the data tried to go past the declared size; what went past was dropped.
    bool Overflowed() const { return overflowed_; }
    // Writes out what is buffered and closes the file; raises ZEBIOFailure on a failed write.
    void Finish();
    uint32_t Crc() const { return crc_.Value(); }
    void Keep() { kept_ = true; }
    const std::string& Path() const { return path_; }

private:
    static constexpr size_t BufferSize = 1 << 16;

    void Drain();
    void CloseHandle();

    std::string path_;
    int handle_;
    uint64_t limit_;
    uint64_t flushed_ = 0;
    size_t fill_ = 0;
    Crc32 crc_;
    bool overflowed_ = false;
    bool kept_ = false;
    Checksum checksum_;
    std::unique_ptr<uint8_t[]> buffer_;
};

}  // namespace zeb
