#include "reader/ReaderChapters.h"

#include <algorithm>

#include "storage/ZEBBook.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

// Lines looked at in one step of a search: a few milliseconds, so reading never waits.
constexpr int32_t LinesPerStep = 4000;

}  // namespace

ReaderChapters::ReaderChapters(ZEBBook& book, Changed changed)
    : book_(book), changed_(std::move(changed))
{
    steps_.setInterval(0);
    QObject::connect(&steps_, &QTimer::timeout, [this] { Step(); });
}

ReaderChapters::~ReaderChapters() = default;

void ReaderChapters::BookOpened()
{
    BookClosing();
    const std::optional<StoredChapters> stored = ReadChapters(book_.Options());
    if (stored && (stored->Choice != ChapterChoice::Found ||
                   stored->FinderVersion == ChapterFinderVersion)) {
        stored_ = *stored;
        changed_(false);
        return;
    }
    lines_ = std::make_unique<BookChapterLines>(book_);
    finder_ = std::make_unique<ChapterFinder>(*lines_);
    steps_.start();
}

void ReaderChapters::BookClosing()
{
    EndSearch();
    if (stored_ == StoredChapters{})
        return;
    stored_ = {};
    changed_(false);
}

void ReaderChapters::EndSearch()
{
    steps_.stop();
    finder_.reset();
    lines_.reset();
}

std::optional<size_t> ReaderChapters::At(int32_t position) const
{
    const auto& list = stored_.Chapters;
    auto after = std::upper_bound(list.begin(), list.end(), position,
                                  [](int32_t p, const BookChapter& c) { return p < c.Position; });
    if (after == list.begin())
        return std::nullopt;
    return size_t(after - list.begin() - 1);
}

bool ReaderChapters::Choose(ChapterChoice choice, const std::u16string& pattern)
{
    if (!book_.IsOpen())
        return false;
    EndSearch();
    BookChapterLines lines(book_);
    std::vector<BookChapter> chapters;
    if (choice == ChapterChoice::Found) {
        chapters = FindChapters(lines);
    } else if (choice == ChapterChoice::Pattern) {
        bool valid = false;
        chapters = FindChaptersByPattern(lines, pattern, &valid);
        if (!valid)
            return false;
    }
    stored_.Choice = choice;
    stored_.Pattern = choice == ChapterChoice::Pattern ? pattern : std::u16string();
    Store(std::move(chapters));
    return true;
}

void ReaderChapters::Step()
{
    try {
        if (!finder_->Step(LinesPerStep))
            return;
    } catch (const ZEBIOFailure&) {
        // A book that cannot be read through gets no chapters; reading it goes on.
        EndSearch();
        return;
    }
    std::vector<BookChapter> found = finder_->Result();
    EndSearch();
    stored_.Choice = ChapterChoice::Found;
    stored_.Pattern.clear();
    Store(std::move(found));
}

void ReaderChapters::Store(std::vector<BookChapter> chapters)
{
    stored_.FinderVersion = ChapterFinderVersion;
    stored_.Chapters = std::move(chapters);
    WriteChapters(book_.Options(), stored_);
    changed_(true);
}

}  // namespace zeb
