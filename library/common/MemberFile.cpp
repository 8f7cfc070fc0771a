// Written through the file layer in two 64 KiB clusters; deleted unless the CRC matched.
#include "library/common/MemberFile.h"

#include "library/common/Crc.h"
#include "platform/FileIO.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

// Archive members are written through 64 KiB clusters, two of them.
constexpr int OutputShift = 16;
constexpr int OutputClusters = 2;

}  // namespace

template <class Crc>
void MemberFile<Crc>::Create(const std::string& path)
{
    Discard();
    file_.Open(path, FileAccess::CreateNew, OutputShift, OutputClusters);
    path_ = path;
    size_ = 0;
    crc_.Reset();
}

template <class Crc>
bool MemberFile<Crc>::Finish(uint32_t expected)
{
    file_.Close();
    if (crc_.Value() == expected) {
        path_.clear();
        return true;
    }
    Discard();
    return false;
}

template <class Crc>
void MemberFile<Crc>::Discard()
{
    if (path_.empty())
        return;
    try {
        file_.Close();
    } catch (const ZEBIOFailure&) {
        // The file is deleted anyway; what it failed to write does not matter.
    }
    RemovePath(path_);
    path_.clear();
}

template class MemberFile<Crc32>;
template class MemberFile<Crc16>;

}  // namespace zeb
