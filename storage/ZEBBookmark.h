#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zeb {

class BookText;
class ZEBFileOptions;
class ZEBFileOptionsItem;

// Bookmark text is gathered word by word until it holds at least this many code units.
constexpr size_t BookmarkTextUnits = 256;

struct ZEBBookmarkObject {
    int32_t Position;    // text-stream offset
    std::u16string Text;

    bool operator==(const ZEBBookmarkObject&) const = default;
};

// The bookmarks of the open book, in ascending position order, no two at one position.
class ZEBBookmark {
public:
    // Adds a bookmark unless one is at position already; returns whether it was added.
    bool Insert(int32_t position, std::u16string text);
    void Remove(int32_t index);
    void Clear() { objects_.clear(); }

    int32_t Count() const { return int32_t(objects_.size()); }
    const ZEBBookmarkObject& operator[](int32_t index) const { return objects_[size_t(index)]; }
    auto begin() const { return objects_.begin(); }
    auto end() const { return objects_.end(); }

    // Takes in the bookmarks stored under the OptBookmarks item of options, then removes the
    // item, so that saving writes it anew. Records of 4 bytes or fewer are skipped.
    void TakeFrom(ZEBFileOptions& options);
    // Appends an OptBookmarks item holding every bookmark in list order; none when the list is
    // empty. Returns the item.
    ZEBFileOptionsItem* AppendTo(ZEBFileOptions& options) const;

private:
    std::vector<ZEBBookmarkObject> objects_;
};

// The text a bookmark at position shows: the words from there on, a leading TAB dropped,
// joined by single spaces, up to the word that brings it to BookmarkTextUnits or more.
std::u16string BookmarkText(const BookText& text, int32_t position);

// Where position lies between start and end, in tenths of a percent, as the bookmark list
// shows it: "0%", "50%", "37.5%".
std::string BookmarkPercentText(int32_t position, int32_t start, int32_t end);

}  // namespace zeb
