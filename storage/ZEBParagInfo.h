#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zeb {

class ZEBFile;

// An ordered list of text-stream offsets: the paragraph start index or the source line start
// index of a book. Its last entry marks the end of the text.
class ZEBParagInfo {
public:
    void Append(int32_t offset) { offsets_.push_back(offset); }
    void Clear() { offsets_.clear(); }
    // Room for count entries in all, so that a table whose size is known grows only once.
    void Reserve(int32_t count) { offsets_.reserve(size_t(count)); }

    int32_t Count() const { return int32_t(offsets_.size()); }
    int32_t operator[](int32_t k) const { return offsets_[size_t(k)]; }

    // The entry k whose stretch [entry k, entry k+1) holds position; never the last entry.
    // Positions before the first entry give 0, at or past the last give Count() - 2.
    int32_t FindIndex(int32_t position) const;

    // Appends count u32 offsets read at position (ZEBIOFailure when the file does not hold
    // them all) / writes every offset as u32 at position.
    void Load(ZEBFile& file, int32_t position, int32_t count);
    int32_t Save(ZEBFile& file, int32_t position) const;

private:
    std::vector<int32_t> offsets_;
};

}  // namespace zeb
