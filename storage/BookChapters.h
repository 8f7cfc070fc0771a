#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zeb {

class ZEBFileOptions;

// One heading of a book's table of contents.
struct BookChapter {
    int32_t Position = 0;    // text-stream offset of the heading line's first record
    int32_t SourceLine = 0;  // 1-based source line of the heading
    uint8_t Level = 1;       // 1 or 2
    std::u16string Title;    // the heading line (trimmed), plus its title line when it is only a number or keyword
    bool operator==(const BookChapter&) const = default;
};

// How the chapters were chosen: found by the finder, none at the user's wish, or by the
// user's pattern (an ICU regular expression matched against whole source lines).
enum class ChapterChoice : uint8_t { Found = 0, None = 1, Pattern = 2 };

struct StoredChapters {
    uint32_t FinderVersion = 0;
    ChapterChoice Choice = ChapterChoice::Found;
    std::u16string Pattern;
    std::vector<BookChapter> Chapters;
    bool operator==(const StoredChapters&) const = default;
};

// The options item that holds them. Its value is the finder version (u32), the choice (u8)
// and the pattern as UTF-16LE; each child is one chapter: position (u32), source line (u32),
// level (u8) and the title as UTF-16LE, in position order.
constexpr uint16_t OptChapters = 0x900;

// Titles are cut to this many code units when stored.
constexpr size_t MaxStoredTitleUnits = 1000;

// The item of the options tree, if there is one that reads well (a damaged one reads as none).
std::optional<StoredChapters> ReadChapters(const ZEBFileOptions& options);
// Replaces the item (appending it when there is none).
void WriteChapters(ZEBFileOptions& options, const StoredChapters& chapters);

}  // namespace zeb
