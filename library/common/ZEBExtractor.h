// The interface every archive format's extractor has: the table in library/ArchiveFormats
// makes one per format, and library/ArchiveReaders walks them all the same way.
#pragma once

#include <string>

#include "library/common/ArchiveEnd.h"

namespace zeb {

// An archive reader that writes the archive's files, one at a time, into a scratch folder
// under their bare names. What makes the archive unreadable from then on is raised from Open
// or Next and ends the whole import: a failing read (ZEBIOFailure), and for ZIP a directory
// that cannot be read (ZipError).
class ZEBExtractor {
public:
    virtual ~ZEBExtractor() = default;

    // Path of the first extracted file, or "" when the archive cannot be opened, is not of the
    // format, or holds no extractable file.
    virtual std::string Open(const std::string& archive, const std::string& scratchFolder) = 0;
    // Path of the next extracted file, or "" at the end or after an extraction error.
    virtual std::string Next() = 0;
    // Releases the archive; does nothing when closed.
    virtual void Close() = 0;

    // Why the last Open or Next gave "": Normal when the archive came to its end with no
    // member lost on the way; otherwise the first problem met since Open.
    virtual const ArchiveEnd& EndReason() const = 0;
};

}  // namespace zeb
