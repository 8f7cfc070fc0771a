#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "storage/BookChapters.h"
#include "storage/BookText.h"

namespace zeb {

class ZEBBook;
class ZEBFile;
class ZEBParagInfo;
class ChapterSearch;

// Raised when the rules of finding change, so that books found by an older finder are found again.
constexpr uint32_t ChapterFinderVersion = 1;

// The source lines the finder reads, by 0-based index.
class ChapterLines {
public:
    virtual ~ChapterLines() = default;
    virtual int32_t Count() const = 0;
    virtual std::u16string Text(int32_t index) const = 0;  // without its line end
    virtual int32_t Position(int32_t index) const = 0;     // text-stream offset where it starts
};

// A book's source lines from its line index and text stream. Reading moves the book file's
// cache, nothing else of the book. A damaged index reads as empty lines, never past the text.
class BookChapterLines : public ChapterLines {
public:
    explicit BookChapterLines(const ZEBBook& book);
    // The lines of a book being written: its file, its line start index and the text's end.
    BookChapterLines(ZEBFile& file, const ZEBParagInfo& lineStarts, int32_t textEnd);

    int32_t Count() const override;
    std::u16string Text(int32_t index) const override;
    int32_t Position(int32_t index) const override;

private:
    BookText text_;
    const ZEBParagInfo& starts_;
};

// Finds chapters a step at a time, so that a reader can run it between its own work.
class ChapterFinder {
public:
    explicit ChapterFinder(const ChapterLines& lines);
    ~ChapterFinder();
    ChapterFinder(const ChapterFinder&) = delete;
    ChapterFinder& operator=(const ChapterFinder&) = delete;

    // Works on up to `lines` more lines; true once the result is ready.
    bool Step(int32_t lines);
    double Progress() const;                  // 0 .. 1
    std::vector<BookChapter> Result() const;  // once Step returned true

private:
    std::unique_ptr<ChapterSearch> search_;
};

std::vector<BookChapter> FindChapters(const ChapterLines& lines);  // all at once

// The user's override: every line the ICU regular expression matches as a whole is a level-1
// chapter; an invalid pattern gives nothing (and says so through the optional out flag).
std::vector<BookChapter> FindChaptersByPattern(const ChapterLines& lines,
                                               const std::u16string& pattern,
                                               bool* valid = nullptr);

}  // namespace zeb
