#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "storage/ZEBParagInfo.h"

namespace zeb {

class LineEndScanner;
class SourceCharReader;
class ZEBFile;

// The rows of the import preview: entry 0 is 0 and each further entry the position after an
// LF, with the source size last once the source has been read to its end without a final LF.
// Row k shows the bytes from entry k - 1 (0 for row 0) to entry k, so row 0 is empty and source
// line i is row i + 1. Line ends are found only as far as the rows asked for need.
class PreviewLines {
public:
    // A row's text stops once it is longer than this many characters.
    static constexpr int32_t RowTextLimit = 256;

    PreviewLines();
    ~PreviewLines();
    PreviewLines(const PreviewLines&) = delete;
    PreviewLines& operator=(const PreviewLines&) = delete;

    // Starts again on source in codePage (UnicodeCodePage, AnsiCodePage or a catalogue entry),
    // finding the first line end. The source must stay open while the rows are used.
    void Layout(ZEBFile& source, int32_t codePage);

    // Finds line ends until there are more than n entries or the source has ended.
    void EnsureRows(int32_t n);
    void EnsureAllRows();

    // Lets go of the source, which may be closed now; the entries found stay.
    void ReleaseSource();

    const ZEBParagInfo& Entries() const { return entries_; }
    bool HasSource() const { return source_ != nullptr; }

    // The height of every row in pixels, estimated from the lines found so far: the rows not
    // yet found are taken to be as long as the average of those found. 0 before any layout.
    int64_t ScrollRange(int32_t lineHeight) const;

    // Row k as shown: a TAB becomes a space, CR and LF are left out, and reading stops once the
    // text is longer than RowTextLimit. Empty for row 0 and rows past the last entry.
    std::u16string RowText(int32_t k);

private:
    void ScanOn(int32_t n);

    ZEBFile* source_ = nullptr;
    std::unique_ptr<SourceCharReader> reader_;
    std::unique_ptr<LineEndScanner> scanner_;
    ZEBParagInfo entries_;
};

}  // namespace zeb
