#pragma once

#include <cstdint>
#include <string>

#include "storage/BookText.h"
#include "storage/ZEBBookRecovery.h"
#include "storage/ZEBBookmark.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBFileOptions.h"
#include "storage/ZEBParagInfo.h"

namespace zeb {

enum class BookOpenResult {
    Opened,
    NotABook,   // unreadable, or the header does not describe a book file
    Corrupted,  // a block signature does not match, or the signed data does not parse
};

// When opening checks the first block signature (header, text and tables): at once, or later
// by the caller (a BookTextCheck), so that a large book shows without waiting for it.
enum class TextCheck { Now, Later };

// What closing a book writes into its options block.
struct BookState {
    int32_t Position = 0;
    int32_t PositionFraction = 0;  // 1/65536 of the view height
    bool FontWidth = true;
    uint8_t TextFormatting = 0;
};

// The open book's file and what was read from it: the text range, the paragraph and source
// line start indexes, the options tree and the bookmarks.
class ZEBBook {
public:
    ZEBBook() = default;
    ZEBBook(const ZEBBook&) = delete;
    ZEBBook& operator=(const ZEBBook&) = delete;

    // Opens and checks the book at path and loads everything but the reading state; on any
    // result but Opened no book is open afterwards. A book the user may read but not write
    // opens read-only. An options block that fails its signature is restored from the book's
    // recovery file when that belongs to it (see ZEBBookRecovery).
    BookOpenResult Open(const std::string& path, TextCheck check = TextCheck::Now);
    // Releases the file and everything read from it.
    void Close() noexcept;
    // Writes state into the options tree and rewrites the options block, signed, in place of
    // the old one; nothing else of the file changes. However it ends, the book then holds the
    // old state or the new one, with the help of its recovery file. Raises ZEBIOFailure. A
    // read-only book is left as it is.
    void SaveState(const BookState& state);

    bool IsOpen() const { return file_.IsOpen(); }
    // The book could be opened for reading only; its state is not written back.
    bool IsReadOnly() const { return readOnly_; }
    int32_t TextStart() const { return textStart_; }
    int32_t TextEnd() const { return textEnd_; }
    // Where the first block signature is stored: it covers everything before.
    int32_t SignedTextEnd() const { return identity_.optionsOffset - SignatureSize; }
    const std::string& Path() const { return file_.Path(); }
    BookText Text() { return BookText(file_, textStart_, textEnd_); }

    const ZEBParagInfo& Parags() const { return parags_; }
    const ZEBParagInfo& Lines() const { return lines_; }
    ZEBFileOptions& Options() { return options_; }
    const ZEBFileOptions& Options() const { return options_; }
    ZEBBookmark& Bookmarks() { return bookmarks_; }
    const ZEBBookmark& Bookmarks() const { return bookmarks_; }

private:
    BookOpenResult Load(const std::string& path, TextCheck check);
    void OpenFile(const std::string& path);
    // The options block from the book, or else from its recovery file; false when neither
    // holds a good one.
    bool LoadOptions();
    // Rewrites the options block from the tree, signed, and syncs the book.
    void WriteOptionsBlock();
    ZEBBookRecovery Recovery() const { return ZEBBookRecovery(file_.Path(), identity_); }

    ZEBFile file_;
    ZEBFileOptions options_;
    ZEBParagInfo parags_;
    ZEBParagInfo lines_;
    ZEBBookmark bookmarks_;
    int32_t textStart_ = 0;
    int32_t textEnd_ = 0;
    BookIdentity identity_;
    bool readOnly_ = false;
};

}  // namespace zeb
