// An entry's data for the decoders: its bytes, decrypted when it is encrypted, and a bit reader
// (least significant bit first) for shrink, reduce and implode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "library/common/ArchiveDataError.h"
#include "library/zip/ZipArchiveFile.h"
#include "library/zip/ZipCrypto.h"

namespace zeb {

// The data of one entry: bytes [start, start + size) of the archive, decrypted on the way in
// when the entry is encrypted.
class ZipInput {
public:
    ZipInput(const ZipArchiveFile& file, uint64_t start, uint64_t size, ZipCrypto* crypto);

    // The next byte, or -1 at the end of the entry's data.
    int Byte()
    {
        if (next_ == end_ && !Refill())
            return -1;
        return buffer_[next_++];
    }
    // All bytes buffered so far (refilling first when none are left), now counted as read;
    // returns 0 at the end of the entry's data.
    size_t Take(const uint8_t*& data);

private:
    static constexpr size_t BufferSize = 1 << 16;

    bool Refill();

    const ZipArchiveFile& file_;
    uint64_t position_;
    uint64_t remaining_;
    ZipCrypto* crypto_;
    std::unique_ptr<uint8_t[]> buffer_;
    size_t next_ = 0;
    size_t end_ = 0;
};

// Reads an entry's data as a stream of bits, least significant bit of each byte first, as
// shrink, reduce and implode store them. Past the end of the data it can look ahead at zero
// bits, but taking one of them raises ArchiveDataError: no valid stream needs them.
class ZipBitReader {
public:
    explicit ZipBitReader(ZipInput& input) : input_(input) {}

    // The next count (at most 32) bits without taking them.
    uint32_t Peek(int count)
    {
        while (available_ < count) {
            int byte = input_.Byte();
            if (byte < 0) {
                byte = 0;
                padding_ += 8;
            }
            bits_ |= uint64_t(byte) << available_;
            available_ += 8;
        }
        return uint32_t(bits_ & ((uint64_t(1) << count) - 1));
    }
    void Skip(int count)
    {
        bits_ >>= count;
        available_ -= count;
        if (padding_ > available_)
            throw ArchiveDataError();
    }
    uint32_t Get(int count)
    {
        uint32_t value = Peek(count);
        Skip(count);
        return value;
    }
private:
    ZipInput& input_;
    uint64_t bits_ = 0;
    int available_ = 0;
    int64_t padding_ = 0;
};

}  // namespace zeb
