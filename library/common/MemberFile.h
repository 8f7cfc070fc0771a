// The output file of an ARJ, LZH or HA member, kept only when its CRC matches.
#pragma once

#include <cstdint>
#include <string>

#include "library/common/ByteSink.h"
#include "storage/ZEBFile.h"

namespace zeb {

// An extracted member being written: the output file and the running CRC of its bytes
// (Crc32 or Crc16). A member that is neither kept nor discarded explicitly, because an
// exception unwinds its extraction, is deleted.
template <class Crc>
class MemberFile : public ByteSink {
public:
    MemberFile() = default;
    MemberFile(const MemberFile&) = delete;
    MemberFile& operator=(const MemberFile&) = delete;
    ~MemberFile() override { Discard(); }

    // Raises ZEBIOFailure when the file cannot be created.
    void Create(const std::string& path);

    void Put(const uint8_t* data, size_t count) override
    {
        file_.Write(int32_t(size_), data, int32_t(count));
        size_ += int64_t(count);
        crc_.Update(data, count);
    }

    // Closes the file and keeps it when its CRC equals expected; otherwise deletes it.
    bool Finish(uint32_t expected);
    // Closes and deletes the file, if one is being written.
    void Discard();

private:
    ZEBFile file_;
    std::string path_;
    int64_t size_ = 0;
    Crc crc_;
};

}  // namespace zeb
