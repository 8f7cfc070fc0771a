#include "library/ArchiveReaders.h"

#include <filesystem>

#include "library/ArchivePrompts.h"
#include "library/common/MemberName.h"
#include "platform/ScopeExit.h"

namespace zeb {

namespace {

constexpr uint32_t DirectoryAttribute = 0x10;

// Only a plain file is handed on: a link left in the folder could point anywhere.
bool IsPlainFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() ==
           std::filesystem::file_type::regular;
}

}  // namespace

ArchiveReaders::ArchiveReaders(ZEBPrompter& prompter) : zip_(prompter)
{
    AnswerZipEvents(zip_, prompter);
    AnswerRarRequests(rar_, prompter);
}

ZEBExtractor* ArchiveReaders::ExtractorFor(ArchiveKind kind)
{
    switch (kind) {
    case ArchiveKind::Rar:
        return &rar_;
    case ArchiveKind::Arj:
        return &arj_;
    case ArchiveKind::Lzh:
        return &lzh_;
    case ArchiveKind::Ha:
        return &ha_;
    case ArchiveKind::Zip:
    case ArchiveKind::Text:
        break;
    }
    return nullptr;
}

ArchiveEnd ArchiveReaders::ForEachMember(ArchiveKind kind, const std::string& archive,
                                         const std::string& folder, const MemberHandler& handle)
{
    // The ZIP reader raises what ends its archive early.
    if (kind == ArchiveKind::Zip)
        ForEachZipEntry(archive, folder, handle);
    else if (ZEBExtractor* extractor = ExtractorFor(kind))
        return ForEachExtracted(*extractor, archive, folder, handle);
    return {};
}

void ArchiveReaders::ForEachZipEntry(const std::string& archive, const std::string& folder,
                                     const MemberHandler& handle)
{
    ScopeExit forget([this] { zip_.Forget(); });
    zip_.SetArchiveName(archive);
    zip_.ReadDirectory();
    zip_.ClearSelections();
    zip_.SetDestination(folder);
    for (int i = 0; i < zip_.Count(); ++i) {
        if (zip_.ExternalAttributes(i) & DirectoryAttribute)
            continue;
        zip_.Select(i);
        ScopeExit deselect([this, i] { zip_.Deselect(i); });
        std::string path = ScratchPath(folder, zip_.FileName(i));
        if (path.empty())
            continue;
        zip_.ExtractSelected();
        if (IsPlainFile(path))
            handle(path);
    }
}

ArchiveEnd ArchiveReaders::ForEachExtracted(ZEBExtractor& extractor, const std::string& archive,
                                            const std::string& folder, const MemberHandler& handle)
{
    ScopeExit close([&extractor] { extractor.Close(); });
    for (std::string path = extractor.Open(archive, folder); !path.empty();
         path = extractor.Next()) {
        if (IsPlainFile(path))
            handle(path);
    }
    return extractor.EndReason();
}

}  // namespace zeb
