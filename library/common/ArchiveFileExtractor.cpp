// Opening, closing and counting members for the ARJ, LZH and HA extractors; ExtractMember is
// where their damaged data (ArchiveDataError) becomes the walk's end reason.
#include "library/common/ArchiveFileExtractor.h"

#include "library/common/ArchiveDataError.h"
#include "library/common/Crc.h"
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
    member_ = 0;
    memberName_.clear();
    end_ = ArchiveFileProblem(archive);
    if (!end_.IsNormal())
        return {};
    try {
        archive_.Open(archive, FileAccess::Read, ArchiveShift, ArchiveClusters);
        if (!FindFirstHeader()) {
            archive_.Close();
            end_ = {ArchiveEnd::Kind::NotOfFormat, 0, {}, format_};
            return {};
        }
    } catch (const ZEBIOFailure& failure) {
        Close();
        end_ = {ArchiveEnd::Kind::Unreadable, 0, {}, failure.what()};
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

std::string ArchiveFileExtractor::Next()
{
    if (!open_)
        return {};
    try {
        return NextMember();
    } catch (const ZEBIOFailure& failure) {
        Note(ArchiveEnd::Kind::IOFailure, failure.what());
        Close();
        throw;
    }
}

void ArchiveFileExtractor::Note(ArchiveEnd::Kind kind, std::string detail)
{
    if (kind == ArchiveEnd::Kind::Normal || !end_.IsNormal())
        return;
    end_ = {kind, member_, memberName_, std::move(detail)};
}

std::string ArchiveFileExtractor::EndWalk(ArchiveEnd::Kind kind, std::string detail)
{
    Note(kind, std::move(detail));
    Close();
    return {};
}

std::string ArchiveFileExtractor::TargetFor(const std::string& storedName) const
{
    std::string path = ScratchPath(folder_, storedName);
    if (path.empty() || NameExists(path))
        return {};
    return path;
}

template <class Crc>
ArchiveFileExtractor::MemberResult ArchiveFileExtractor::ExtractMember(
    uint32_t expected, const std::function<void(ByteSink&)>& decode, std::string& target)
{
    target = TargetFor(memberName_);
    if (target.empty())
        return MemberResult::Skipped;
    MemberFile<Crc> out;
    try {
        out.Create(target);
    } catch (const ZEBIOFailure& failure) {
        EndWalk(ArchiveEnd::Kind::IOFailure, failure.what());
        return MemberResult::NotCreated;
    }
    try {
        decode(out);
    } catch (const ArchiveDataError&) {
        out.Discard();
        Note(ArchiveEnd::Kind::Damaged);
        return MemberResult::BadData;
    }
    if (!out.Finish(expected)) {
        Note(ArchiveEnd::Kind::Damaged);
        return MemberResult::BadCrc;
    }
    return MemberResult::Extracted;
}

template ArchiveFileExtractor::MemberResult ArchiveFileExtractor::ExtractMember<Crc32>(
    uint32_t, const std::function<void(ByteSink&)>&, std::string&);
template ArchiveFileExtractor::MemberResult ArchiveFileExtractor::ExtractMember<Crc16>(
    uint32_t, const std::function<void(ByteSink&)>&, std::string&);

}  // namespace zeb
