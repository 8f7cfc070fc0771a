// ARJ archives (the technical notes distributed with ARJ, TECHNOTE.DOC). Numbers are
// little-endian.
//
// Each header starts with the id 0x60 0xEA and a 16-bit basic header size (at most 2600; 0
// marks the end of the archive), followed by the basic header, its CRC-32, and extended
// headers, each a 16-bit size, that many bytes and a CRC-32, the list ended by a size of 0.
// The basic header's fixed part begins with its own size, the archiver's version and the
// version needed, the host OS, flags (bit 0: garbled, i.e. encrypted), method and file type
// (0 binary, 1 text, 2 main header, 3 directory, 4 volume label); then come the date, the
// compressed and original sizes and the file's CRC-32. The file name and the comment follow
// the fixed part, each ending with a zero byte. The member's compressed data follows.
// The archive opens with the main header (file type 2, without data). A self-extracting
// archive has a program in front of it, so it is searched for: the first offset holding the
// id, a size of at most 2600 and a basic header whose CRC matches.
// Methods: 0 stored, 1 to 3 the static-Huffman scheme (StaticHuffmanDecoder) with a 26624-byte
// window and 17 distance classes, 4 "fastest" (ArjFastestDecoder). Members that need a version
// above 3, garbled ones, other methods and other file types are passed over; the first damaged
// member ends the walk.
#include "library/arj/ZEBArj.h"

#include <algorithm>
#include <cstring>

#include "library/arj/ArjFastestDecoder.h"
#include "library/common/BitInput.h"
#include "library/common/Crc.h"
#include "library/common/StaticHuffmanDecoder.h"
#include "library/common/StoredCopy.h"
#include "platform/LittleEndian.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

constexpr uint16_t HeaderId = 0xEA60;
constexpr int MaxBasicHeader = 2600;
constexpr int FixedFields = 30;        // the fields every basic header holds
constexpr int MaxNameLength = 511;
constexpr int64_t SfxSearchSpan = 25000;
constexpr int32_t WindowSize = 26624;
constexpr int DistanceClasses = 17;
constexpr int DistanceCountBits = 5;

enum Flag : uint8_t { Garbled = 0x01 };
enum FileType : uint8_t { BinaryFile = 0, TextFile = 1, MainHeader = 2 };

}  // namespace

ZEBArj::ZEBArj() : ArchiveFileExtractor("an ARJ archive"), basicHeader_(MaxBasicHeader) {}

// The first offset holding the header id, a basic header size of at most 2600 and a matching
// header CRC. Self-extracting archives put a program in front of the archive.
bool ZEBArj::FindFirstHeader()
{
    const int64_t size = archive_.Size();
    const int64_t limit = std::min(std::max(size - 2, SfxSearchSpan), size);
    const int64_t chunkSize = 1 << 16;
    std::vector<uint8_t> chunk(size_t(chunkSize) + 1);
    for (int64_t base = 0; base < limit; base += chunkSize) {
        int64_t have = std::min(chunkSize + 1, size - base);
        archive_.Read(int32_t(base), chunk.data(), int32_t(have));
        int64_t end = std::min(chunkSize, limit - base);
        for (int64_t i = 0; i < end; ++i) {
            if (chunk[size_t(i)] == 0x60 && i + 1 < have && chunk[size_t(i) + 1] == 0xEA &&
                LoadBasicHeader(base + i)) {
                position_ = mainHeader_ = base + i;
                return true;
            }
        }
    }
    return false;
}

// Reads the basic header at `at` into basicHeader_ and checks its id, size and CRC.
bool ZEBArj::LoadBasicHeader(int64_t at)
{
    const int64_t size = archive_.Size();
    if (at + 4 > size || archive_.ReadU16(int32_t(at)) != HeaderId)
        return false;
    basicSize_ = archive_.ReadU16(int32_t(at) + 2);
    if (basicSize_ == 0 || basicSize_ > MaxBasicHeader || at + 4 + basicSize_ + 4 > size)
        return false;
    archive_.Read(int32_t(at) + 4, basicHeader_.data(), basicSize_);
    uint32_t stored = archive_.ReadU32(int32_t(at) + 4 + basicSize_);
    return Crc32::Of(basicHeader_.data(), basicSize_) == stored;
}

bool ZEBArj::ReadHeader()
{
    if (!LoadBasicHeader(position_) || basicSize_ < FixedFields)
        return false;
    const uint8_t* b = basicHeader_.data();
    uint8_t firstSize = b[0];
    if (firstSize > basicSize_)
        return false;
    header_.minVersion = b[2];
    header_.flags = b[4];
    header_.method = b[5];
    header_.fileType = b[6];
    header_.compressedSize = int32_t(LoadU32(b + 12));
    header_.originalSize = int32_t(LoadU32(b + 16));
    header_.crc = LoadU32(b + 20);
    if (header_.compressedSize < 0 || header_.originalSize < 0)
        return false;
    // Names of other systems keep their bytes as stored.
    const char* name = reinterpret_cast<const char*>(b + firstSize);
    size_t room = std::min<size_t>(basicSize_ - firstSize, MaxNameLength);
    header_.name.assign(name, strnlen(name, room));
    position_ += 4 + basicSize_ + 4;
    return SkipExtendedHeaders();
}

bool ZEBArj::SkipExtendedHeaders()
{
    for (;;) {
        if (position_ + 2 > archive_.Size())
            return false;
        uint16_t size = archive_.ReadU16(int32_t(position_));
        position_ += 2;
        if (size == 0)
            return true;
        position_ += size + 4;
    }
}

bool ZEBArj::Extractable() const
{
    return header_.minVersion <= 3 && !(header_.flags & Garbled) && header_.method <= 4 &&
           (header_.fileType == BinaryFile || header_.fileType == TextFile);
}

// The header id with a basic header size of 0.
bool ZEBArj::AtEndMarker()
{
    return position_ + 4 <= archive_.Size() && archive_.ReadU16(int32_t(position_)) == HeaderId &&
           archive_.ReadU16(int32_t(position_) + 2) == 0;
}

std::string ZEBArj::NextMember()
{
    for (;;) {
        // The main header comes first and is no member.
        if (position_ != mainHeader_)
            NextHeader();
        if (!ReadHeader())
            return EndWalk(AtEndMarker() ? ArchiveEnd::Kind::Normal : ArchiveEnd::Kind::Damaged);
        const int64_t dataStart = position_;
        // The main header has no data: its size fields hold archive dates instead.
        if (header_.fileType != MainHeader)
            position_ += header_.compressedSize;
        if (!Extractable())
            continue;
        NameMember(header_.name);
        std::string target;
        switch (ExtractMember<Crc32>(header_.crc, [&](ByteSink& out) { Decode(dataStart, out); },
                                     target)) {
        case MemberResult::Extracted:
            return target;
        case MemberResult::Skipped:
            continue;
        case MemberResult::NotCreated:
            return {};
        case MemberResult::BadData:
        case MemberResult::BadCrc:
            // The archive ends at its first damaged member, which is noted already.
            return EndWalk(ArchiveEnd::Kind::Normal);
        }
    }
}

void ZEBArj::Decode(int64_t dataStart, ByteSink& out)
{
    if (header_.method == 0) {
        CopyStored(archive_, dataStart, header_.compressedSize, out);
        return;
    }
    BitInput in(archive_, dataStart, header_.compressedSize);
    SlidingWindow window(WindowSize, out, header_.originalSize);
    if (header_.method == 4) {
        DecodeArjFastest(in, window);
        return;
    }
    StaticHuffmanDecoder decoder(DistanceClasses, DistanceCountBits);
    decoder.Decode(in, window);
}

}  // namespace zeb
