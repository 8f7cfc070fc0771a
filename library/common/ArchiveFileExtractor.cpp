#include "library/common/ArchiveFileExtractor.h"

#include "library/common/MemberFile.h"
#include "library/common/MemberName.h"
#include "platform/FileIO.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

// Archives are read through three 64 KiB clusters.
constexpr int ArchiveShift = 16;
constexpr int ArchiveClusters = 3;

}  // namespace

ArchiveFileExtractor::~ArchiveFileExtractor() { Close(); }

std::string ArchiveFileExtractor::Open(const std::string& archive, const std::string& scratchFolder)
{
    Close();
    position_ = 0;
    try {
        archive_.Open(archive, FileAccess::Read, ArchiveShift, ArchiveClusters);
    } catch (const ZEBIOFailure&) {
        return {};
    }
    if (!FindFirstHeader()) {
        archive_.Close();
        return {};
    }
    folder_ = scratchFolder;
    open_ = true;
    return Next();
}

void ArchiveFileExtractor::Close()
{
    if (!open_ && !archive_.IsOpen())
        return;
    open_ = false;
    archive_.Close();
}

std::string ArchiveFileExtractor::TargetFor(const std::string& storedName) const
{
    std::string path = ScratchPath(folder_, storedName);
    if (path.empty() || NameExists(path))
        return {};
    return path;
}

std::string ArchiveFileExtractor::Next()
{
    if (!open_)
        return {};
    try {
        return NextMember();
    } catch (const ZEBIOFailure&) {
        Close();
        throw;
    }
}

}  // namespace zeb
