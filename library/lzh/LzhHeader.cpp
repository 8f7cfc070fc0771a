// LHA member headers at levels 0, 1 and 2 (LHa for UNIX's header notes, header.doc, after
// Yoshizaki's lhx.doc). Numbers are little-endian. Every level has the method ("-lh5-") at
// offset 2, the compressed and original sizes at 7 and 11, and the level at 20.
// - Level 0: byte 0 counts the header bytes after the first two and byte 1 is their sum
//   modulo 256; the name (its length at 21) and the file's CRC-16 follow. Then the data.
// - Level 1: as level 0, with an OS id and the size of the first extension header after the
//   CRC. The extension headers follow the header and count in the compressed size.
// - Level 2: bytes 0 and 1 are the whole header's size; the file's CRC-16 is at 21, the OS id
//   at 23 and the first extension's size at 24; names are only in extensions, inside the
//   header, which ends where the data starts.
// An extension header is a type byte, its data and the 16-bit size of the next one (0 ends
// them). Type 1 holds the file name; type 0 the CRC-16 of the whole header taken with that
// field zeroed (checked at level 2). "-lhd-" is a directory entry. The archive ends with a zero
// byte, or just with the end of the file.
#include "library/lzh/LzhHeader.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "library/common/Crc.h"
#include "platform/LittleEndian.h"

namespace zeb {

namespace {

// Offsets shared by every level.
constexpr int MethodAt = 2;
constexpr int CompressedAt = 7;
constexpr int OriginalAt = 11;
constexpr int LevelAt = 20;
constexpr int NameLengthAt = 21;  // levels 0 and 1; the name follows
constexpr int Level2CrcAt = 21;
constexpr int Level2ExtensionAt = 24;
constexpr int Level2Fixed = 26;

enum ExtensionType : uint8_t { HeaderCrc = 0x00, FileName = 0x01 };

std::vector<uint8_t> ReadBytes(ZEBFile& archive, int64_t at, size_t count)
{
    std::vector<uint8_t> bytes(count);
    archive.Read(int32_t(at), bytes.data(), int32_t(count));
    return bytes;
}

constexpr int MethodLength = 5;

bool IsMethodField(const uint8_t* field)
{
    return field[0] == '-' && field[MethodLength - 1] == '-';
}

// The method field and the sizes; false when there is no method field.
bool TakeMethod(const std::vector<uint8_t>& h, LzhHeader& header)
{
    if (!IsMethodField(&h[MethodAt]))
        return false;
    header.methodId.assign(reinterpret_cast<const char*>(&h[MethodAt]), MethodLength);
    header.method = h[MethodAt + 3] - '0';
    header.compressedSize = LoadU32(&h[CompressedAt]);
    header.originalSize = LoadU32(&h[OriginalAt]);
    return true;
}

LzhHeaderStatus MethodStatus(const LzhHeader& header)
{
    if (header.methodId == "-lhd-")
        return LzhHeaderStatus::Directory;
    bool known = header.methodId.compare(0, 3, "-lh") == 0 &&
                 (header.method == 0 || (header.method >= 4 && header.method <= 7));
    return known ? LzhHeaderStatus::Read : LzhHeaderStatus::UnknownMethod;
}

bool ChecksumMatches(const std::vector<uint8_t>& h)
{
    uint8_t sum = std::accumulate(h.begin() + 2, h.end(), uint8_t(0),
                                  [](uint8_t a, uint8_t b) { return uint8_t(a + b); });
    return sum == h[1];
}

// Walks extension headers from `at`, the first `size` bytes long: each holds a type byte, its
// data and the size of the next one; size 0 ends the list. None may reach past limit. Takes the
// file name from type 1 and notes where a header CRC (type 0) is kept. Returns the position
// after the last extension, or -1 for a damaged list.
int64_t WalkExtensions(ZEBFile& archive, int64_t at, uint16_t size, int64_t limit,
                       LzhHeader& header, int64_t& crcAt)
{
    limit = std::min<int64_t>(limit, archive.Size());
    while (size != 0) {
        if (size < 3 || at + size > limit)
            return -1;
        std::vector<uint8_t> e = ReadBytes(archive, at, size);
        if (e[0] == FileName)
            header.name.assign(reinterpret_cast<const char*>(&e[1]), size - 3u);
        else if (e[0] == HeaderCrc && size >= 5)
            crcAt = at + 1;
        at += size;
        size = LoadU16(&e[size - 2u]);
    }
    return at;
}

// Levels 0 and 1: a size byte counting from offset 2, a checksum byte, the name in the header.
// Level 1 adds extension headers after it, counted in the compressed size.
bool ReadLevel01(ZEBFile& archive, int64_t p, int level, LzhHeader& header)
{
    const int size = archive.ReadU8(int32_t(p));
    if (size + 2 <= NameLengthAt || p + size + 2 >= archive.Size())
        return false;
    std::vector<uint8_t> h = ReadBytes(archive, p, size_t(size) + 2);
    if (!ChecksumMatches(h) || !TakeMethod(h, header))
        return false;
    const int nameLength = h[NameLengthAt];
    const int fixedAfterName = level == 0 ? 2 : 5;  // CRC; level 1 also OS id, extension size
    if (NameLengthAt + 1 + nameLength + fixedAfterName > size + 2)
        return false;
    header.name.assign(reinterpret_cast<const char*>(&h[NameLengthAt + 1]), size_t(nameLength));
    header.crc = LoadU16(&h[NameLengthAt + 1 + size_t(nameLength)]);
    header.dataStart = p + size + 2;
    if (level == 0)
        return true;
    int64_t crcAt = -1;
    int64_t end = WalkExtensions(archive, header.dataStart, LoadU16(&h[size_t(size)]),
                                 header.dataStart + header.compressedSize, header, crcAt);
    if (end < 0)
        return false;
    header.compressedSize -= end - header.dataStart;
    header.dataStart = end;
    return true;
}

// Level 2: a 16-bit total size, everything else in extension headers inside it, protected by a
// header CRC taken over the whole header with the CRC itself zeroed.
bool ReadLevel2(ZEBFile& archive, int64_t p, LzhHeader& header)
{
    const uint16_t total = archive.ReadU16(int32_t(p));
    if (total < Level2Fixed || p + total >= archive.Size())
        return false;
    std::vector<uint8_t> h = ReadBytes(archive, p, total);
    if (!TakeMethod(h, header))
        return false;
    header.name.clear();
    header.crc = LoadU16(&h[Level2CrcAt]);
    header.dataStart = p + total;
    int64_t crcAt = -1;
    if (WalkExtensions(archive, p + Level2Fixed, LoadU16(&h[Level2ExtensionAt]), p + total,
                       header, crcAt) < 0)
        return false;
    if (crcAt < 0)
        return true;
    size_t at = size_t(crcAt - p);
    uint16_t stored = LoadU16(&h[at]);
    h[at] = h[at + 1] = 0;
    return Crc16::Of(h.data(), h.size()) == stored;
}

}  // namespace

LzhHeaderStatus ReadLzhHeader(ZEBFile& archive, int64_t position, LzhHeader& header)
{
    if (position < 0 || position >= archive.Size())
        return LzhHeaderStatus::End;
    bool read = false;
    if (position + NameLengthAt + 1 <= archive.Size()) {
        switch (archive.ReadU8(int32_t(position + LevelAt))) {
        case 0: read = ReadLevel01(archive, position, 0, header); break;
        case 1: read = ReadLevel01(archive, position, 1, header); break;
        case 2: read = ReadLevel2(archive, position, header); break;
        default: break;
        }
    }
    if (read)
        return MethodStatus(header);
    // A level-2 header may begin with a zero byte too, so the closing one counts only here.
    return archive.ReadU8(int32_t(position)) == 0 ? LzhHeaderStatus::End
                                                  : LzhHeaderStatus::Damaged;
}

bool LooksLikeLzhArchive(ZEBFile& archive)
{
    uint8_t start[MethodAt + MethodLength] = {};
    if (archive.Size() < 1)
        return false;
    archive.Read(0, start, std::min<int32_t>(archive.Size(), sizeof start));
    return start[0] == 0 ||
           (archive.Size() >= int32_t(sizeof start) && IsMethodField(start + MethodAt));
}

}  // namespace zeb
