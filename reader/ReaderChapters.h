#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QTimer>

#include "import/ChapterFinder.h"
#include "storage/BookChapters.h"

namespace zeb {

class ZEBBook;

// The open book's chapters: those it holds, or, for a book made before chapters were found
// (or by an older finder), those found for it in small steps between the reader's own work;
// and the user's choice of none or of a pattern of their own. What changes is written into the
// book's options block, which its next save stores.
class ReaderChapters {
public:
    // Told when the list changed (read, found, chosen, or gone with the book); written is
    // true when the book's options block took a new list, for its next save.
    using Changed = std::function<void(bool written)>;

    ReaderChapters(ZEBBook& book, Changed changed);
    ~ReaderChapters();

    void BookOpened();
    // Before the book closes: a search under way reads it.
    void BookClosing();

    const std::vector<BookChapter>& List() const { return stored_.Chapters; }
    ChapterChoice Choice() const { return stored_.Choice; }
    const std::u16string& Pattern() const { return stored_.Pattern; }
    bool Finding() const { return finder_ != nullptr; }
    // The chapter holding text position: the last one that starts at or before it.
    std::optional<size_t> At(int32_t position) const;

    // The user's choice for this book: the finder's chapters, none, or every whole source line
    // the ICU regular expression pattern matches. False, and nothing changed, for a pattern
    // that is not a valid expression.
    bool Choose(ChapterChoice choice, const std::u16string& pattern);

private:
    void EndSearch();
    void Step();
    void Store(std::vector<BookChapter> chapters);

    ZEBBook& book_;
    Changed changed_;
    StoredChapters stored_;
    std::unique_ptr<BookChapterLines> lines_;
    std::unique_ptr<ChapterFinder> finder_;
    QTimer steps_;
};

}  // namespace zeb
