#include "library/ha/ZEB_HA.h"

#include "library/common/ArchiveDataError.h"
#include "library/common/Crc.h"
#include "library/ha/HaAscDecoder.h"
#include "library/ha/HaHscDecoder.h"
#include "library/common/MemberFile.h"
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

// False at the end of the archive, for a truncated header and for an unknown version or method.
bool ZEB_HA::ReadHeader(Header& header)
{
    const int64_t p = position_;
    if (p + FixedHeader > archive_.Size())
        return false;
    uint8_t fixed[FixedHeader];
    archive_.Read(int32_t(p), fixed, FixedHeader);
    if (fixed[0] == UncheckedType) {
        header.method = Cpy;
    } else {
        header.method = fixed[0] & 0x0F;
        if (fixed[0] >> 4 != Version ||
            (header.method > Hsc && header.method != Directory && header.method != Special))
            return false;
    }
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

void ZEB_HA::Decode(const Header& header, MemberFile<Crc32>& out)
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
        Header header;
        if (!ReadHeader(header)) {
            Close();
            return {};
        }
        if (header.method == Directory || header.method == Special)
            return {};
        position_ = header.dataStart + header.compressedSize;
        const std::string target = TargetFor(header.name);
        if (target.empty())
            continue;
        MemberFile<Crc32> out;
        if (!out.Create(target)) {
            Close();
            return {};
        }
        try {
            Decode(header, out);
        } catch (const ArchiveDataError&) {
            out.Discard();
            continue;
        }
        if (out.Finish(header.crc))
            return target;
    }
}

}  // namespace zeb
