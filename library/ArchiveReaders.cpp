#include "library/ArchiveReaders.h"

#include <filesystem>

#include "platform/ScopeExit.h"

namespace zeb {

namespace {

// Only a plain file is handed on: a link left in the folder could point anywhere.
bool IsPlainFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() ==
           std::filesystem::file_type::regular;
}

}  // namespace

ArchiveReaders::ArchiveReaders(ZEBPrompter& prompter)
{
    for (const ArchiveFormat& format : ArchiveFormats()) {
        if (format.makeExtractor)
            extractors_[format.kind] = format.makeExtractor(prompter);
    }
}

ArchiveEnd ArchiveReaders::ForEachMember(ArchiveKind kind, const std::string& archive,
                                         const std::string& folder, const MemberHandler& handle)
{
    auto found = extractors_.find(kind);
    if (found == extractors_.end())
        return {};
    ZEBExtractor& extractor = *found->second;
    ScopeExit close([&extractor] { extractor.Close(); });
    for (std::string path = extractor.Open(archive, folder); !path.empty();
         path = extractor.Next()) {
        if (IsPlainFile(path))
            handle(path);
    }
    return extractor.EndReason();
}

}  // namespace zeb
