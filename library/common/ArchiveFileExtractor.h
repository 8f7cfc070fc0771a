// The frame of the extractors that read their archive through the file layer: ARJ, LZH, HA.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "library/common/ByteSink.h"
#include "library/common/ZEBExtractor.h"
#include "storage/ZEBFile.h"

namespace zeb {

// The frame of the extractors that read their archive through ZEBFile (ARJ, LZH, HA): the
// archive opened and closed, the scratch folder remembered, the members counted, why the walk
// ended kept, and the archive closed on the way out of an I/O failure. Each format supplies
// where its first member lies and its member loop.
class ArchiveFileExtractor : public ZEBExtractor {
public:
    ~ArchiveFileExtractor() override;

    std::string Open(const std::string& archive, const std::string& scratchFolder) final;
    std::string Next() final;
    void Close() final;
    const ArchiveEnd& EndReason() const final { return end_; }

protected:
    // format is what a file that is not of it is said not to be: "an ARJ archive".
    explicit ArchiveFileExtractor(std::string format) : format_(std::move(format)) {}

    // With the archive open: sets position_ to the first member header, or gives false when the
    // file is not of the format.
    virtual bool FindFirstHeader() = 0;
    // The path of the next extracted file, or "" at the end of the archive (closing it).
    virtual std::string NextMember() = 0;

    // What became of a member written with ExtractMember.
    enum class MemberResult {
        Extracted,
        Skipped,     // its name is unusable, or a file (or link) of that name is there already
        BadData,     // its data could not be decoded; no file is left
        BadCrc,      // its data fails the CRC; no file is left
        NotCreated,  // its file could not be created; the walk has ended with that failure
    };

    // Counts the member whose header is read next (the first is 1) and forgets the last name.
    void NextHeader()
    {
        ++member_;
        memberName_.clear();
    }
    // The current member's name as stored.
    void NameMember(const std::string& stored) { memberName_ = stored; }
    // Keeps kind as the reason, for the current member, unless an earlier problem is kept.
    void Note(ArchiveEnd::Kind kind, std::string detail = {});
    // Notes kind and closes the archive; gives "" for the caller to return.
    std::string EndWalk(ArchiveEnd::Kind kind, std::string detail = {});

    // Writes the current member under its name's bare part into the scratch folder with decode,
    // checksummed with Crc (Crc32 or Crc16), and keeps it when the checksum equals expected.
    // A damaged member is noted; target receives the path.
    template <class Crc>
    MemberResult ExtractMember(uint32_t expected, const std::function<void(ByteSink&)>& decode,
                               std::string& target);

    ZEBFile archive_;
    std::string folder_;  // the scratch folder
    int64_t position_ = 0;

private:
    // Where the member stored under storedName goes, or "" when its name is unusable or a
    // file (or link) of that name is already in the scratch folder.
    std::string TargetFor(const std::string& storedName) const;

    const std::string format_;
    bool open_ = false;
    int member_ = 0;
    std::string memberName_;
    ArchiveEnd end_;
};

}  // namespace zeb
