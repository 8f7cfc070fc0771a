// The texts shown after an archive's name, and the checks on the archive file itself that
// every extractor makes first.
#include "library/common/ArchiveEnd.h"

#include <sys/stat.h>

#include <cerrno>

#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

std::string MemberText(const ArchiveEnd& end)
{
    std::string text = "member " + std::to_string(end.member);
    return end.name.empty() ? text : text + " (" + end.name + ")";
}

}  // namespace

std::string ArchiveEnd::Text() const
{
    switch (kind) {
    case Kind::Normal:
        return "ended normally";
    case Kind::Missing:
        if (member == 0)
            return "no such file";
        return MemberText(*this) + " continues in a missing volume" +
               (detail.empty() ? "" : ": " + detail);
    case Kind::Empty:
        return "the file is empty";
    case Kind::Unreadable:
        return "unreadable: " + detail;
    case Kind::NotOfFormat:
        return "not " + detail;
    case Kind::Damaged:
        if (member == 0)
            return "damaged before its first member";
        return "damaged at " + MemberText(*this);
    case Kind::UnknownMethod:
        return MemberText(*this) + " uses a method this program does not read: " + detail;
    case Kind::Directory:
        return "stopped at " + MemberText(*this) + ", " +
               (detail.empty() ? "a directory entry" : detail);
    case Kind::Password:
        if (member == 0)
            return "its headers need the right password";
        return MemberText(*this) + " needs the right password";
    case Kind::IOFailure:
        return detail;
    }
    return detail;
}

ArchiveEnd ArchiveFileProblem(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {ArchiveEnd::Kind::Missing, 0, {}, {}};
        return {ArchiveEnd::Kind::Unreadable, 0, {}, ZEBIOFailure("open", path, errno).what()};
    }
    if (!S_ISREG(st.st_mode))
        return {ArchiveEnd::Kind::Unreadable, 0, {}, "not a regular file"};
    if (st.st_size == 0)
        return {ArchiveEnd::Kind::Empty, 0, {}, {}};
    return {};
}

}  // namespace zeb
