#include "import/PreviewChapters.h"

#include "import/PreviewLines.h"

namespace zeb {

namespace {

// Rows found, and lines the finder reads, in one step: a few milliseconds.
constexpr int32_t RowsPerStep = 20000;

}  // namespace

// The preview's rows as the finder's lines: source line i is row i + 1.
class PreviewChapters::Rows : public ChapterLines {
public:
    explicit Rows(PreviewLines& lines) : lines_(lines) {}

    int32_t Count() const override { return lines_.Entries().Count() - 1; }
    std::u16string Text(int32_t index) const override { return lines_.RowText(index + 1); }
    int32_t Position(int32_t index) const override { return lines_.Entries()[index]; }

private:
    PreviewLines& lines_;
};

PreviewChapters::PreviewChapters(PreviewLines& lines) : lines_(lines) {}

PreviewChapters::~PreviewChapters() = default;

bool PreviewChapters::Step()
{
    if (!rows_) {
        const int32_t before = lines_.Entries().Count();
        lines_.EnsureRows(before + RowsPerStep);
        if (lines_.Entries().Count() > before + RowsPerStep)
            return false;
        rows_ = std::make_unique<Rows>(lines_);
        finder_ = std::make_unique<ChapterFinder>(*rows_);
    }
    if (!finder_->Step(RowsPerStep))
        return false;
    result_ = finder_->Result();
    return true;
}

std::u16string PreviewChaptersText(const std::vector<BookChapter>& chapters)
{
    if (chapters.empty())
        return u"Chapters: none found";
    const std::string digits = std::to_string(chapters.size());
    const std::u16string count = u"Chapters: " + std::u16string(digits.begin(), digits.end());
    if (chapters.size() == 1)
        return count + u" (" + chapters.front().Title + u")";
    return count + u" (" + chapters.front().Title + u" \u2026 " + chapters.back().Title + u")";
}

}  // namespace zeb
