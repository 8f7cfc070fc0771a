#include "storage/ZEBBookRecovery.h"

#include <cerrno>
#include <cstring>

#include "platform/FileIO.h"
#include "platform/LittleEndian.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

constexpr int32_t BlockStart = SignatureSize + 4;
// A recovery file holds one options block, mostly far below 4 KiB.
constexpr int RecoveryClusterShift = 12;
constexpr int RecoveryClusterCount = 2;

}  // namespace

ZEBBookRecovery::ZEBBookRecovery(const std::string& bookPath, const BookIdentity& book)
    : path_(bookPath + ".saving"), temporary_(path_ + ".new"), book_(book)
{
}

void ZEBBookRecovery::Write(const ZEBFileOptions& options) const
{
    if (!RemovePath(temporary_))
        throw ZEBIOFailure("remove", temporary_, errno);
    ZEBFile file;
    file.Open(temporary_, FileAccess::CreateNew, RecoveryClusterShift, RecoveryClusterCount);
    file.Write(0, book_.textSignature.data(), SignatureSize);
    file.WriteU32(SignatureSize, uint32_t(book_.optionsOffset));
    file.Sign(BlockStart, options.Save(file, BlockStart));
    file.Sync();
    file.Close();
    if (!RenamePath(temporary_, path_))
        throw ZEBIOFailure("rename", temporary_, errno);
}

std::optional<ZEBFileOptions> ZEBBookRecovery::Read() const
{
    try {
        ZEBFile file;
        file.Open(path_, FileAccess::Read, RecoveryClusterShift, RecoveryClusterCount);
        if (file.Size() < BlockStart + SignatureSize)
            return std::nullopt;
        uint8_t head[BlockStart];
        file.Read(0, head, BlockStart);
        BookIdentity stored;
        std::memcpy(stored.textSignature.data(), head, SignatureSize);
        stored.optionsOffset = int32_t(LoadU32(head + SignatureSize));
        if (stored != book_ || !file.Verify(BlockStart, file.Size() - SignatureSize))
            return std::nullopt;
        ZEBFileOptions options;
        options.Load(file, BlockStart);
        return options;
    } catch (const ZEBIOFailure&) {
        // Missing, unreadable, or a signed block that does not parse: nothing to recover.
        return std::nullopt;
    }
}

void ZEBBookRecovery::Discard() const noexcept
{
    RemovePath(temporary_);
    RemovePath(path_);
}

}  // namespace zeb
