#include "reader/FindInBook.h"

#include "render/ViewScroller.h"
#include "render/ZEBRenderParag.h"

namespace zeb {

FindInBook::FindInBook(ZEBRenderParag& engine, ViewScroller& scroller, QObject* parent)
    : QObject(parent), engine_(engine), scroller_(scroller)
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &FindInBook::Step);
}

TextKey FindInBook::From(BookSearch::Direction direction) const
{
    if (const std::optional<PhraseMatch>& shown = engine_.Highlight())
        return shown->first;
    const TextKey reading = MakeTextKey(engine_.CurrentReadingPosition().Position, 0);
    // Forward a match right at the reading position counts.
    return direction == BookSearch::Direction::Forward ? reading - 1 : reading;
}

void FindInBook::Find(const std::u16string& phrase, bool matchCase,
                      BookSearch::Direction direction)
{
    Cancel();
    const ZEBBook& book = engine_.Book();
    if (!book.IsOpen())
        return;
    const BookSearch::Request request =
        BookSearch::RequestFor(book, phrase, matchCase, direction, From(direction));
    if (!search_.Begin(request))
        return;
    bookPath_ = book.Path();
    timer_.start();
    Step();
}

void FindInBook::Cancel()
{
    if (!timer_.isActive())
        return;
    timer_.stop();
    search_.Cancel();
    if (report_)
        report_(Outcome::Cancelled, search_.Progress());
}

void FindInBook::Step()
{
    // The search reads the index of the book it began in: another book ends it.
    if (!engine_.Book().IsOpen() || engine_.Book().Path() != bookPath_) {
        Cancel();
        return;
    }
    const BookSearch::State state = search_.Step(SearchStepBytes);
    if (state == BookSearch::State::Running) {
        if (report_)
            report_(Outcome::Searching, search_.Progress());
        return;
    }
    timer_.stop();
    if (state == BookSearch::State::Found)
        scroller_.ShowMatch(search_.Match());
    if (report_)
        report_(state != BookSearch::State::Found ? Outcome::NotFound
                : search_.Wrapped()                ? Outcome::FoundWrapped
                                                   : Outcome::Found,
                1.0);
}

}  // namespace zeb
