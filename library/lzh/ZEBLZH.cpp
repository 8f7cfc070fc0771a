// LHA (".LZH") archives: member headers (LzhHeader), each followed by the member's data.
// Methods read here: -lh0- stored, and the static-Huffman scheme (StaticHuffmanDecoder, after
// Okumura's ar002) as -lh5- (8 KiB back at most, 14 distance classes counted in 4 bits; -lh4-
// has the same layout and reaches 4 KiB, so one 16 KiB history serves both), -lh6- (32 KiB,
// 16 classes counted in 5 bits) and -lh7- (64 KiB, 17 classes). The data is checked with LHA's
// CRC-16 (reflected polynomial 0xA001, started at 0). A member whose CRC fails is dropped and
// the next one tried; a header that cannot be read, another method or a directory entry ends
// the walk, as does data that cannot be decoded.
#include "library/lzh/ZEBLZH.h"

#include "library/common/BitInput.h"
#include "library/common/Crc.h"
#include "library/common/StaticHuffmanDecoder.h"
#include "library/common/StoredCopy.h"
#include "library/lzh/LzhHeader.h"

namespace zeb {

namespace {

// The history and the distance classes a method's matches reach over, the classes' count
// sent in countBits bits.
struct LzhWindow {
    int32_t size;
    int distanceClasses;
    int countBits;
};

// -lh4- streams are -lh5- streams limited to a 4 KiB window, so they share one; -lh6- reaches
// back 32 KiB and -lh7- 64 KiB, with one more distance class per doubling.
LzhWindow WindowFor(int method)
{
    switch (method) {
    case 6: return {1 << 15, 16, 5};
    case 7: return {1 << 16, 17, 5};
    default: return {1 << 14, 14, 4};
    }
}

void DecodeMember(ZEBFile& archive, const LzhHeader& header, ByteSink& out)
{
    if (header.method == 0) {
        CopyStored(archive, header.dataStart, header.compressedSize, out);
        return;
    }
    const LzhWindow shape = WindowFor(header.method);
    BitInput in(archive, header.dataStart, header.compressedSize);
    SlidingWindow window(shape.size, out, header.originalSize);
    StaticHuffmanDecoder decoder(shape.distanceClasses, shape.countBits);
    decoder.Decode(in, window);
}

ArchiveEnd::Kind EndKindOf(LzhHeaderStatus status)
{
    switch (status) {
    case LzhHeaderStatus::Damaged: return ArchiveEnd::Kind::Damaged;
    case LzhHeaderStatus::Directory: return ArchiveEnd::Kind::Directory;
    case LzhHeaderStatus::UnknownMethod: return ArchiveEnd::Kind::UnknownMethod;
    case LzhHeaderStatus::Read:
    case LzhHeaderStatus::End: break;
    }
    return ArchiveEnd::Kind::Normal;
}

}  // namespace

ZEBLZH::ZEBLZH() : ArchiveFileExtractor("an LZH archive") {}

bool ZEBLZH::FindFirstHeader()
{
    position_ = 0;
    return LooksLikeLzhArchive(archive_);
}

std::string ZEBLZH::NextMember()
{
    for (;;) {
        NextHeader();
        LzhHeader header;
        LzhHeaderStatus status = ReadLzhHeader(archive_, position_, header);
        NameMember(header.name);
        if (status != LzhHeaderStatus::Read) {
            bool method = status == LzhHeaderStatus::UnknownMethod;
            return EndWalk(EndKindOf(status), method ? header.methodId : std::string());
        }
        position_ = header.dataStart + header.compressedSize;
        std::string target;
        auto decode = [&](ByteSink& out) { DecodeMember(archive_, header, out); };
        switch (ExtractMember<Crc16>(header.crc, decode, target)) {
        case MemberResult::Extracted:
            return target;
        case MemberResult::Skipped:
        case MemberResult::BadCrc:
            continue;
        case MemberResult::NotCreated:
            return {};
        case MemberResult::BadData:
            // Undecodable data ends the archive; the damage is noted already.
            return EndWalk(ArchiveEnd::Kind::Normal);
        }
    }
}

}  // namespace zeb
