#pragma once

#include <functional>
#include <string>

#include "library/ArchiveKind.h"
#include "library/arj/ZEBArj.h"
#include "library/lzh/ZEBLZH.h"
#include "library/rar/ZEBRar.h"
#include "library/ha/ZEB_HA.h"
#include "library/zip/ZipReader.h"

namespace zeb {

class ZEBPrompter;

// The ZIP reader and the four extractors, with their questions and reports put to the user
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
    // The extractor for kind; nullptr for Zip (the ZIP reader instead) and Text.
    ZEBExtractor* ExtractorFor(ArchiveKind kind);
    void ForEachZipEntry(const std::string& archive, const std::string& folder,
                         const MemberHandler& handle);
    ArchiveEnd ForEachExtracted(ZEBExtractor& extractor, const std::string& archive,
                                const std::string& folder, const MemberHandler& handle);

    ZipReader zip_;
    ZEBRar rar_;
    ZEBArj arj_;
    ZEBLZH lzh_;
    ZEB_HA ha_;
};

}  // namespace zeb
