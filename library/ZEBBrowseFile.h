#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zeb {

// One book of the library list: where it is, what it was made from, and its first lines.
struct ZEBBrowseFileObject {
    int32_t index = 0;  // its place in the list, always up to date
    std::vector<std::u16string> preview;  // the first non-empty source lines
    int32_t sourceSize = 0;
    std::string bookPath;
    std::u16string title;  // the source's file name
    bool selected = false;
};

// The library list, ordered by title code unit by code unit, a title before the longer ones it
// begins; books with equal titles stay in the order they came.
class ZEBBrowseFile {
public:
    int32_t Count() const { return int32_t(entries_.size()); }
    bool Empty() const { return entries_.empty(); }
    ZEBBrowseFileObject& operator[](int32_t index) { return *entries_[size_t(index)]; }
    const ZEBBrowseFileObject& operator[](int32_t index) const { return *entries_[size_t(index)]; }

    // Inserts before the first entry whose title is greater; returns the entry in its place.
    ZEBBrowseFileObject& Insert(std::unique_ptr<ZEBBrowseFileObject> entry);
    void Remove(int32_t index);
    void Clear() { entries_.clear(); }

    // -1 when nothing is selected.
    int32_t FirstSelected() const;
    // Every flag cleared but the first selected one, as before the selection moves.
    void KeepFirstSelection();
    void SelectOnly(int32_t index);
    void ClearSelection();

private:
    void Renumber(int32_t from);

    std::vector<std::unique_ptr<ZEBBrowseFileObject>> entries_;
};

}  // namespace zeb
