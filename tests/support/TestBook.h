#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "storage/TextStream.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBFileOptions.h"
#include "storage/ZEBParagInfo.h"

namespace zeb::test {

// Writes a book file the way the importer lays it out: the text stream from offset 40, the
// paragraph and source line tables, the header, the first signature, then a signed options
// block. Tests and benchmarks describe the text line by line.
class TestBookWriter {
public:
    explicit TestBookWriter(const std::string& path);

    // Starts a new paragraph at the current position (the first one starts by itself).
    TestBookWriter& Paragraph();
    // One source line: blanks become space runs, everything else words (a TAB stays in its
    // word), then a line end.
    TestBookWriter& Line(std::u16string_view line);
    // Single records, for streams no source line gives.
    TestBookWriter& Word(std::u16string_view word);
    TestBookWriter& Spaces(int count);
    TestBookWriter& LineEnd();

    // The position the next record is written at.
    int32_t Position() const { return text_.Position(); }

    // Completes the file; options default to what an import stores: the start position at a
    // quarter of the view, the source name and size.
    void Finish();
    void Finish(const ZEBFileOptions& options);

private:
    ZEBFile file_;
    TextStreamWriter text_;
    ZEBParagInfo parags_;
    ZEBParagInfo lines_;
};

}  // namespace zeb::test
