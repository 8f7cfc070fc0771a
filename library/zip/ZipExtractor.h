// The ZIP reader behind the extractor interface the other archive formats have.
#pragma once

#include <string>

#include "library/common/ZEBExtractor.h"
#include "library/zip/ZipReader.h"

namespace zeb {

// Walks a ZIP archive entry by entry as the import does: directory entries and entries whose
// name names no file are passed over, every other entry is selected, extracted into the
// scratch folder and deselected again. Each path it gives is where the entry's file belongs;
// something is there, but it may be a file the user chose not to replace.
//
// Unlike the other formats, ZIP tells of trouble through the reader's events (passwords, CRC
// errors, unknown methods) and its ZipError, which Open and Next pass on: the walk itself
// always ends normally.
class ZipExtractor : public ZEBExtractor {
public:
    // The prompter asks whether to replace an existing file and reports unknown methods.
    explicit ZipExtractor(ZEBPrompter& prompter) : reader_(prompter) {}

    // For answering the reader's events.
    ZipReader& Reader() { return reader_; }

    std::string Open(const std::string& archive, const std::string& scratchFolder) override;
    std::string Next() override;
    // Forgets the archive.
    void Close() override { reader_.Forget(); }
    const ArchiveEnd& EndReason() const override { return end_; }

private:
    ZipReader reader_;
    std::string folder_;
    int next_ = 0;  // the entry Next looks at first
    ArchiveEnd end_;  // stays normal
};

}  // namespace zeb
