// Why an extractor's walk through an archive ended, as every format reports it.
#pragma once

#include <string>

namespace zeb {

// Why an extractor gave no further file. The first problem met on the way through an archive
// is kept, so a walk that lost a member and then reached the archive's end still says which
// member was lost.
struct ArchiveEnd {
    enum class Kind {
        Normal,         // the archive came to its end and no member was lost
        Missing,        // no file at the path; with a member: the volume it continues in
        Empty,          // the file holds no bytes
        Unreadable,     // the file cannot be opened or read; detail says why
        NotOfFormat,    // detail names the format: "an ARJ archive"
        Damaged,        // a header or the data of member (0: the archive's own header)
        UnknownMethod,  // member uses the method in detail, which this program does not read
        Directory,      // member is a directory (or detail: other) entry, where the walk stops
        Password,       // member (0: the archive's headers) needs a password that was not given
        IOFailure,      // detail is the I/O failure's text, with its path and cause
    };

    Kind kind = Kind::Normal;
    int member = 0;    // the member's place in the archive, counted from 1
    std::string name;  // the member's name as stored, when known
    std::string detail;

    bool IsNormal() const { return kind == Kind::Normal; }
    // For a message after the archive's name: "damaged at member 2 (verse.txt)".
    std::string Text() const;
};

// Missing, Empty or Unreadable for a path that holds no regular file with bytes in it, so
// that nothing blocks on a pipe or reads a folder; Normal otherwise.
ArchiveEnd ArchiveFileProblem(const std::string& path);

}  // namespace zeb
