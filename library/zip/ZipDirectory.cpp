// A ZIP archive's central directory (APPNOTE.TXT, "General Format of a .ZIP file", and the
// ZIP64 records). All numbers are little-endian.
//
// The archive ends with the end of central directory record (PK 5 6, 22 bytes): disk numbers,
// entry counts, the directory's size and offset, and a comment of up to 65535 bytes. It is
// searched for backwards over the last 22 + 65535 bytes: the record whose comment ends exactly
// at the end of the file wins, failing that the last one whose comment fits (some writers add
// bytes after the archive). A disk number other than 0 marks one part of a split archive.
// ZIP64 archives saturate what does not fit (0xFFFF, 0xFFFFFFFF) and put a locator (PK 6 7) in
// front of the record, pointing at a ZIP64 end record (PK 6 6) with the full values.
// Each central header (PK 1 2, 46 bytes, then name, extra field and comment) gives the flags,
// method, DOS time and date, CRC-32, sizes, external attributes (0x10: a directory) and the
// offset of the local header. Saturated sizes and offset are in the ZIP64 extra field (id 1),
// only those that are saturated, in that order. The local header (PK 3 4, 30 bytes) repeats
// the name and has an extra field of its own length; the entry's data follows both.
#include "library/zip/ZipDirectory.h"

#include <algorithm>
#include <optional>

#include "library/common/MemberName.h"
#include "library/zip/ZipError.h"
#include "library/zip/ZipNames.h"
#include "platform/LittleEndian.h"

namespace zeb {
namespace {

constexpr uint32_t LocalSignature = 0x04034B50;
constexpr uint32_t CentralSignature = 0x02014B50;
constexpr uint32_t EndSignature = 0x06054B50;
constexpr uint32_t Zip64EndSignature = 0x06064B50;
constexpr uint32_t Zip64LocatorSignature = 0x07064B50;
constexpr size_t LocalHeaderSize = 30;
constexpr size_t CentralHeaderSize = 46;
constexpr size_t EndSize = 22;
constexpr size_t Zip64LocatorSize = 20;
constexpr size_t Zip64EndSize = 56;
constexpr size_t MaxCommentSize = 0xFFFF;
constexpr uint16_t Zip64ExtraId = 0x0001;
constexpr uint32_t Saturated32 = 0xFFFFFFFF;
constexpr uint16_t Saturated16 = 0xFFFF;

struct EndRecord {
    uint64_t position = 0;
    uint64_t entries = 0;
    uint64_t directorySize = 0;
    uint64_t directoryOffset = 0;
};

[[noreturn]] void Fail(const char* text) { throw ZipError(text); }

bool StartsLikeZip(const ZipArchiveFile& file)
{
    uint8_t head[4];
    return file.ReadSomeAt(0, head, 4) == 4 && LoadU32(head) == LocalSignature;
}

// The end record whose comment runs exactly to the end of the file; failing that, the last
// one whose comment fits inside the file (some writers append bytes after the archive).
std::optional<uint64_t> FindEndRecord(const ZipArchiveFile& file)
{
    size_t tailSize = size_t(std::min<uint64_t>(file.Size(), EndSize + MaxCommentSize));
    if (tailSize < EndSize)
        return std::nullopt;
    uint64_t base = file.Size() - tailSize;
    std::vector<uint8_t> tail(tailSize);
    file.ReadAt(base, tail.data(), tailSize);
    std::optional<uint64_t> fitting;
    for (size_t i = tailSize - EndSize + 1; i-- > 0;) {
        if (LoadU32(&tail[i]) != EndSignature)
            continue;
        size_t commentEnd = i + EndSize + LoadU16(&tail[i + 20]);
        if (commentEnd == tailSize)
            return base + i;
        if (commentEnd < tailSize && !fitting)
            fitting = base + i;
    }
    return fitting;
}

// Replaces the saturated fields of the end record by those of the Zip64 end record, when the
// archive has one.
void ReadZip64End(const ZipArchiveFile& file, EndRecord& end)
{
    if (end.position < Zip64LocatorSize)
        return;
    uint8_t locator[Zip64LocatorSize];
    file.ReadAt(end.position - Zip64LocatorSize, locator, Zip64LocatorSize);
    if (LoadU32(locator) != Zip64LocatorSignature)
        return;
    uint64_t offset = LoadU64(locator + 8);
    uint8_t record[Zip64EndSize];
    if (offset >= end.position || file.ReadSomeAt(offset, record, Zip64EndSize) != Zip64EndSize)
        Fail(ZipIncompleteText);
    if (LoadU32(record) != Zip64EndSignature)
        Fail(ZipNotValidText);
    end.entries = LoadU64(record + 32);
    end.directorySize = LoadU64(record + 40);
    end.directoryOffset = LoadU64(record + 48);
}

EndRecord ReadEndRecord(const ZipArchiveFile& file)
{
    std::optional<uint64_t> position = FindEndRecord(file);
    if (!position)
        Fail(StartsLikeZip(file) ? ZipIncompleteText : ZipNotValidText);
    uint8_t record[EndSize];
    file.ReadAt(*position, record, EndSize);
    // An archive split over several disks: this file holds only part of it.
    uint16_t disk = LoadU16(record + 4);
    if (disk != 0 && disk != Saturated16)
        Fail(ZipIncompleteText);
    EndRecord end{*position, LoadU16(record + 10), LoadU32(record + 12), LoadU32(record + 16)};
    if (end.entries == Saturated16 || end.directorySize == Saturated32 ||
        end.directoryOffset == Saturated32)
        ReadZip64End(file, end);
    return end;
}

// Sizes and the local header offset from the Zip64 extended information field, for every one
// whose 32-bit field is saturated; the field holds just those, in this order.
void ApplyZip64Extra(const uint8_t* extra, size_t size, ZipEntry& entry)
{
    for (size_t at = 0; at + 4 <= size;) {
        uint16_t id = LoadU16(extra + at);
        size_t length = LoadU16(extra + at + 2);
        const uint8_t* data = extra + at + 4;
        at += 4 + length;
        if (at > size)
            return;
        if (id != Zip64ExtraId)
            continue;
        size_t used = 0;
        for (uint64_t* field : {&entry.uncompressedSize, &entry.compressedSize,
                                &entry.localHeaderOffset}) {
            if (*field != Saturated32 || used + 8 > length)
                continue;
            *field = LoadU64(data + used);
            used += 8;
        }
        return;
    }
}

ZipEntry ParseCentralHeader(const uint8_t* p)
{
    ZipEntry entry;
    uint16_t versionMadeBy = LoadU16(p + 4);
    entry.flags = LoadU16(p + 8);
    entry.method = LoadU16(p + 10);
    entry.time = LoadU16(p + 12);
    entry.date = LoadU16(p + 14);
    entry.crc = LoadU32(p + 16);
    entry.compressedSize = LoadU32(p + 20);
    entry.uncompressedSize = LoadU32(p + 24);
    entry.externalAttributes = LoadU32(p + 38);
    entry.localHeaderOffset = LoadU32(p + 42);
    size_t nameLength = LoadU16(p + 28);
    entry.storedName.assign(reinterpret_cast<const char*>(p + CentralHeaderSize), nameLength);
    entry.name = BareName(ZipNameToUtf8(entry.storedName, entry.flags, versionMadeBy));
    ApplyZip64Extra(p + CentralHeaderSize + nameLength, LoadU16(p + 30), entry);
    return entry;
}

}  // namespace

std::vector<ZipEntry> ReadZipDirectory(const ZipArchiveFile& file)
{
    EndRecord end = ReadEndRecord(file);
    if (end.directoryOffset > end.position ||
        end.directorySize > end.position - end.directoryOffset)
        Fail(ZipIncompleteText);
    std::vector<uint8_t> directory(size_t(end.directorySize));
    file.ReadAt(end.directoryOffset, directory.data(), directory.size());

    std::vector<ZipEntry> entries;
    entries.reserve(size_t(std::min<uint64_t>(end.entries, directory.size() / CentralHeaderSize)));
    size_t at = 0;
    for (uint64_t k = 0; k < end.entries; ++k) {
        if (directory.size() - at < CentralHeaderSize)
            Fail(ZipIncompleteText);
        const uint8_t* p = &directory[at];
        if (LoadU32(p) != CentralSignature)
            Fail(ZipNotValidText);
        size_t length = CentralHeaderSize + LoadU16(p + 28) + LoadU16(p + 30) + LoadU16(p + 32);
        if (directory.size() - at < length)
            Fail(ZipIncompleteText);
        entries.push_back(ParseCentralHeader(p));
        at += length;
    }
    return entries;
}

uint64_t LocateZipData(const ZipArchiveFile& file, const ZipEntry& entry)
{
    uint8_t header[LocalHeaderSize];
    file.ReadAt(entry.localHeaderOffset, header, LocalHeaderSize);
    if (LoadU32(header) != LocalSignature)
        Fail(ZipNotValidText);
    return entry.localHeaderOffset + LocalHeaderSize + LoadU16(header + 26) + LoadU16(header + 28);
}

}  // namespace zeb
