// The extractors of every archive format, walked the same way.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "library/ArchiveFormats.h"
#include "library/common/ZEBExtractor.h"

namespace zeb {

// One extractor for each archive format of the table, made once so that what it keeps (the
// ZIP password) serves every archive of a run, with its questions and reports put to the user
// through one prompter. Walks any archive the same way: each extracted file is handed over
// while it is the only member in the folder.
class ArchiveReaders {
public:
    // Given the path of one extracted file, which it may delete.
    using MemberHandler = std::function<void(const std::string& path)>;

    explicit ArchiveReaders(ZEBPrompter& prompter);
    ArchiveReaders(const ArchiveReaders&) = delete;
    ArchiveReaders& operator=(const ArchiveReaders&) = delete;

    // Extracts the files of archive (of kind, which is not Text) into folder one at a time,
    // calling handle for each file that is there after its extraction, and tells why the walk
    // ended. Directory entries give nothing. The ZIP reader's ZipError and the file layer's
    // ZEBIOFailure are passed on; the archive is released however the walk ends.
    ArchiveEnd ForEachMember(ArchiveKind kind, const std::string& archive,
                             const std::string& folder, const MemberHandler& handle);

private:
    std::map<ArchiveKind, std::unique_ptr<ZEBExtractor>> extractors_;
};

}  // namespace zeb
