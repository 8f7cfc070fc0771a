#pragma once

#include <memory>
#include <string>
#include <vector>

#include "import/ChapterFinder.h"

namespace zeb {

class PreviewLines;

// The chapters the preview's text holds in the code page shown, counted a step at a time so
// that the preview never waits: the rows are found to the text's end first, then the finder
// reads them.
class PreviewChapters {
public:
    explicit PreviewChapters(PreviewLines& lines);
    ~PreviewChapters();

    // One step; true once the chapters are known. ZEBIOFailure when the source cannot be read.
    bool Step();
    const std::vector<BookChapter>& Result() const { return result_; }

private:
    class Rows;

    PreviewLines& lines_;
    std::unique_ptr<Rows> rows_;
    std::unique_ptr<ChapterFinder> finder_;
    std::vector<BookChapter> result_;
};

// "Chapters: 61 (Chapter 1 … Chapter 61)", "Chapters: 1 (Preface)", "Chapters: none found".
std::u16string PreviewChaptersText(const std::vector<BookChapter>& chapters);

}  // namespace zeb
