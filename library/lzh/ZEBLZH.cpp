#include "library/lzh/ZEBLZH.h"

#include "library/common/ArchiveDataError.h"
#include "library/common/BitInput.h"
#include "library/common/Crc.h"
#include "library/lzh/LzhHeader.h"
#include "library/common/MemberFile.h"
#include "library/common/StaticHuffmanDecoder.h"
#include "library/common/StoredCopy.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

constexpr int32_t WindowSize = 16384;
constexpr int DistanceClasses = 14;
constexpr int DistanceCountBits = 4;

void DecodeMember(ZEBFile& archive, const LzhHeader& header, MemberFile<Crc16>& out)
{
    if (header.method == 0) {
        CopyStored(archive, header.dataStart, header.compressedSize, out);
        return;
    }
    // -lh4- streams are -lh5- streams limited to a 4 KiB window, so one decoder reads both.
    BitInput in(archive, header.dataStart, header.compressedSize);
    SlidingWindow window(WindowSize, out, header.originalSize);
    StaticHuffmanDecoder decoder(DistanceClasses, DistanceCountBits);
    decoder.Decode(in, window);
}

}  // namespace

bool ZEBLZH::FindFirstHeader()
{
    return true;
}

std::string ZEBLZH::NextMember()
{
    for (;;) {
        LzhHeader header;
        if (!ReadLzhHeader(archive_, position_, header)) {
            Close();
            return {};
        }
        position_ = header.dataStart + header.compressedSize;
        const std::string target = TargetFor(header.name);
        if (target.empty())
            continue;
        MemberFile<Crc16> out;
        if (!out.Create(target)) {
            Close();
            return {};
        }
        try {
            DecodeMember(archive_, header, out);
        } catch (const ArchiveDataError&) {
            out.Discard();
            Close();
            return {};
        }
        if (out.Finish(header.crc))
            return target;
    }
}

}  // namespace zeb
