// HA archives (HA's own documentation: HA.TXT of release 0.98, and the notes of the 0.999
// source release). Numbers are little-endian.
// The file starts with "HA" and a 16-bit member count, which is not needed: the headers run
// to the end of the file. A member header holds a type byte (version 2 in the high nibble, the
// method in the low one: 0 CPY stored, 1 ASC, 2 HSC, 14 directory, 15 special), the compressed
// size, the original size, the CRC-32 of the original data, a time stamp, the path and the
// name, each ending with a zero byte, then a length byte and that much machine-specific
// information. The data follows.
// A type byte of 0xFF is taken as CPY without looking at the version. ASC and HSC are
// arithmetic-coded (HaArithmeticDecoder), end with their own end symbol and rebuild their
// models for every member. A member whose CRC fails is dropped and the next one tried; a
// directory or special entry stops the walk.
#include "library/ha/ZEB_HA.h"

#include "library/common/Crc.h"
#include "library/ha/HaAscDecoder.h"
#include "library/ha/HaHscDecoder.h"
#include "library/common/StoredCopy.h"
#include "platform/LittleEndian.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

constexpr int64_t FirstHeader = 4;  // after "HA" and the member count
constexpr int FixedHeader = 17;     // type, sizes, CRC, time
constexpr uint8_t Version = 2;
constexpr uint8_t UncheckedType = 0xFF;  // taken as CPY without looking at its version
constexpr int32_t MaxNameLength = 65535;
constexpr int32_t AscHistory = 31200;
constexpr int32_t HscOutputBuffer = 1 << 16;

}  // namespace

// A zero-terminated string that ends inside the archive.
bool ZEB_HA::ReadName(int64_t& at, std::string& text)
{
    if (at >= archive_.Size())
        return false;
    text = archive_.ReadCString(int32_t(at), MaxNameLength);
    at += int64_t(text.size());
    if (at >= archive_.Size() || archive_.ReadU8(int32_t(at)) != 0)
        return false;
    ++at;
    return true;
}

// False for a header cut off by the end of the file.
bool ZEB_HA::ReadHeader(Header& header)
{
    const int64_t p = position_;
    if (p + FixedHeader > archive_.Size())
        return false;
    uint8_t fixed[FixedHeader];
    archive_.Read(int32_t(p), fixed, FixedHeader);
    header.type = fixed[0];
    header.compressedSize = LoadU32(fixed + 1);
    header.originalSize = LoadU32(fixed + 5);
    header.crc = LoadU32(fixed + 9);
    int64_t at = p + FixedHeader;
    std::string path;
    if (!ReadName(at, path) || !ReadName(at, header.name) || at >= archive_.Size())
        return false;
    at += 1 + archive_.ReadU8(int32_t(at));  // machine-specific information
    header.dataStart = at;
    return true;
}

// Sets the header's method; Damaged for another version, UnknownMethod for another method.
ArchiveEnd::Kind ZEB_HA::CheckType(Header& header) const
{
    if (header.type == UncheckedType) {
        header.method = Cpy;
        return ArchiveEnd::Kind::Normal;
    }
    header.method = header.type & 0x0F;
    if (header.type >> 4 != Version)
        return ArchiveEnd::Kind::Damaged;
    if (header.method > Hsc && header.method != Directory && header.method != Special)
        return ArchiveEnd::Kind::UnknownMethod;
    return ArchiveEnd::Kind::Normal;
}

void ZEB_HA::Decode(const Header& header, ByteSink& out)
{
    if (header.originalSize == 0)
        return;
    if (header.method == Cpy) {
        CopyStored(archive_, header.dataStart, header.originalSize, out);
        return;
    }
    HaArithmeticDecoder coder(archive_, header.dataStart);
    if (header.method == Asc) {
        SlidingWindow history(AscHistory, out, header.originalSize);
        DecodeHaAsc(coder, history);
    } else {
        SlidingWindow output(HscOutputBuffer, out, header.originalSize);
        DecodeHaHsc(coder, output);
    }
}

ZEB_HA::ZEB_HA() : ArchiveFileExtractor("an HA archive") {}

// Refuses anything that does not even start like an HA archive.
bool ZEB_HA::FindFirstHeader()
{
    if (archive_.Size() < FirstHeader || archive_.ReadU8(0) != 'H' || archive_.ReadU8(1) != 'A')
        return false;
    position_ = FirstHeader;
    return true;
}

std::string ZEB_HA::NextMember()
{
    for (;;) {
        NextHeader();
        if (position_ >= archive_.Size())
            return EndWalk(ArchiveEnd::Kind::Normal);
        Header header;
        if (!ReadHeader(header))
            return EndWalk(ArchiveEnd::Kind::Damaged);
        NameMember(header.name);
        ArchiveEnd::Kind problem = CheckType(header);
        if (problem != ArchiveEnd::Kind::Normal) {
            bool method = problem == ArchiveEnd::Kind::UnknownMethod;
            return EndWalk(problem, method ? "method " + std::to_string(header.method) : "");
        }
        // The walk stops here, but the archive stays open until Close().
        if (header.method == Directory || header.method == Special) {
            Note(ArchiveEnd::Kind::Directory, header.method == Special ? "a special entry" : "");
            return {};
        }
        position_ = header.dataStart + header.compressedSize;
        std::string target;
        auto decode = [&](ByteSink& out) { Decode(header, out); };
        switch (ExtractMember<Crc32>(header.crc, decode, target)) {
        case MemberResult::Extracted:
            return target;
        case MemberResult::Skipped:
        case MemberResult::BadData:
        case MemberResult::BadCrc:
            continue;
        case MemberResult::NotCreated:
            return {};
        }
    }
}

}  // namespace zeb
