#include "render/BookSearch.h"

#include <algorithm>

#include "storage/ZEBBook.h"
#include "storage/ZEBIOFailure.h"
#include "storage/ZEBParagInfo.h"

namespace zeb {

namespace {

// After a window's end the scan reads on only to finish a match begun inside it.
constexpr int32_t TailBudget = 4096;

}  // namespace

BookSearch::Request BookSearch::RequestFor(const ZEBBook& book, std::u16string phrase,
                                           bool matchCase, Direction direction, TextKey from)
{
    Request r;
    r.bookPath = book.Path();
    r.textStart = book.TextStart();
    r.textEnd = book.TextEnd();
    r.lines = &book.Lines();
    r.phrase = std::move(phrase);
    r.matchCase = matchCase;
    r.direction = direction;
    r.from = from;
    return r;
}

bool BookSearch::Begin(const Request& request)
{
    Cancel();
    request_ = request;
    matcher_ = std::make_unique<PhraseMatcher>(request.phrase, request.matchCase);
    if (matcher_->Empty() || !request.lines || request.textStart < 0 ||
        request.textEnd <= request.textStart)
        return false;
    // Any place before the text is its start, any after it its end.
    request_.from = std::clamp(request.from,
                               std::max<TextKey>(MakeTextKey(request.textStart, 0), 1) - 1,
                               MakeTextKey(request.textEnd, 0));
    try {
        file_.Close();
        file_.Open(request.bookPath, FileAccess::Read, 20, 2);
    } catch (const ZEBIOFailure&) {
        return false;
    }
    matcher_->SetSink([this](const PhraseMatch& match) { OnMatch(match); });
    scan_ = std::make_unique<TextStreamScan>(file_, request.textEnd);
    wrapped_ = false;
    read_ = 0;
    state_ = State::Running;
    const int32_t at = KeyPosition(request_.from);
    if (request.direction == Direction::Forward) {
        StartWindow({LineStartAtOrBefore(at), request.textEnd});
        return true;
    }
    std::optional<Window> first = WindowBefore(std::min(at + 1, request.textEnd));
    if (!first) {  // nothing before from: straight on from the end
        wrapped_ = true;
        first = WindowBefore(request.textEnd);
    }
    if (first)
        StartWindow(*first);
    else
        state_ = State::NotFound;
    return true;
}

void BookSearch::Cancel()
{
    state_ = State::Idle;
    candidate_.reset();
}

double BookSearch::Progress() const
{
    const double size = double(request_.textEnd - request_.textStart);
    return size > 0 ? std::min(1.0, double(read_) / size) : 1.0;
}

// Forward the first match after from counts, then, wrapped, the first from the start up to
// from; backward the last one before from, then, wrapped, the last one from from on.
bool BookSearch::Accepts(TextKey first) const
{
    if (first >= MakeTextKey(window_.end, 0))
        return false;
    if (request_.direction == Direction::Forward)
        return wrapped_ ? first <= request_.from : first > request_.from;
    return wrapped_ ? first >= request_.from : first < request_.from;
}

void BookSearch::OnMatch(const PhraseMatch& match)
{
    if (!Accepts(match.first))
        return;
    if (request_.direction == Direction::Backward || !candidate_)
        candidate_ = match;
}

void BookSearch::StartWindow(Window window)
{
    window_ = window;
    fedAtWindowEnd_ = -1;
    matcher_->Reset();
    scan_->Start(window.begin);
}

// A record boundary at or before position: the start of its source line, or, where a damaged
// index names none there, the text's start.
int32_t BookSearch::LineStartAtOrBefore(int32_t position) const
{
    const ZEBParagInfo& lines = *request_.lines;
    if (lines.Count() < 2)
        return request_.textStart;
    const int32_t line = lines[lines.FindIndex(position)];
    return line < request_.textStart || line > position ? request_.textStart : line;
}

// The window of about windowBytes that ends at end, or none when nothing is left before end:
// the text's start is reached, or, wrapped, the line the search began in.
std::optional<BookSearch::Window> BookSearch::WindowBefore(int32_t end) const
{
    const int32_t lowest =
        wrapped_ ? LineStartAtOrBefore(KeyPosition(request_.from)) : request_.textStart;
    if (end <= lowest)
        return std::nullopt;
    // Before end, so that every window reaches further back than the one before.
    const int32_t begin =
        LineStartAtOrBefore(std::max(request_.textStart, end - std::max(1, request_.windowBytes)));
    return Window{std::max(begin, lowest), end};
}

// The window is read: a match found ends the search, else the next window or the other end.
void BookSearch::NextWindow()
{
    if (candidate_) {
        match_ = *candidate_;
        state_ = State::Found;
        return;
    }
    if (request_.direction == Direction::Forward) {
        if (wrapped_) {
            state_ = State::NotFound;
            return;
        }
        wrapped_ = true;
        StartWindow({request_.textStart, std::min(KeyPosition(request_.from) + 1, request_.textEnd)});
        return;
    }
    std::optional<Window> next = WindowBefore(window_.begin);
    if (!next && !wrapped_) {
        wrapped_ = true;
        next = WindowBefore(request_.textEnd);
    }
    if (!next) {
        state_ = State::NotFound;
        return;
    }
    StartWindow(*next);
}

BookSearch::State BookSearch::Step(int32_t budget)
{
    try {
        while (state_ == State::Running && budget > 0) {
            int32_t read = 0;
            if (scan_->Position() < window_.end && !scan_->AtEnd()) {
                read = scan_->Feed(*matcher_, window_.end, budget);
            } else {
                if (fedAtWindowEnd_ < 0)
                    fedAtWindowEnd_ = matcher_->Fed();
                if (scan_->AtEnd() || matcher_->Fed() - fedAtWindowEnd_ >= matcher_->Length()) {
                    NextWindow();
                    continue;
                }
                read = scan_->Feed(*matcher_, request_.textEnd, std::min(budget, TailBudget));
            }
            budget -= std::max(read, 1);
            read_ += read;
            if (request_.direction == Direction::Forward && candidate_)
                NextWindow();
        }
    } catch (const ZEBIOFailure&) {
        state_ = State::NotFound;
    }
    return state_;
}

}  // namespace zeb
