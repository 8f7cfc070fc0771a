#pragma once

#include <cstdint>
#include <string>

#include "library/common/ZEBExtractor.h"
#include "storage/ZEBFile.h"

namespace zeb {

// The frame of the extractors that read their archive through ZEBFile (ARJ, LZH, HA): the
// archive opened and closed, the scratch folder remembered, and the archive closed on the way
// out of an I/O failure. Each format supplies where its first member lies and its member loop.
class ArchiveFileExtractor : public ZEBExtractor {
public:
    ~ArchiveFileExtractor() override;

    std::string Open(const std::string& archive, const std::string& scratchFolder) final;
    std::string Next() final;
    void Close() final;

protected:
    // With the archive open: sets position_ to the first member header, or gives false when the
    // file is not of the format.
    virtual bool FindFirstHeader() = 0;
    // The path of the next extracted file, or "" at the end of the archive (closing it).
    virtual std::string NextMember() = 0;

    // Where the member stored under storedName goes, or "" when its name is unusable or a
    // file (or link) of that name is already in the scratch folder.
    std::string TargetFor(const std::string& storedName) const;

    ZEBFile archive_;
    std::string folder_;  // the scratch folder
    int64_t position_ = 0;

private:
    bool open_ = false;
};

}  // namespace zeb
