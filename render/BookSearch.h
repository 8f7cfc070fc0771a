#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "render/PhraseMatcher.h"
#include "render/TextStreamScan.h"
#include "storage/ZEBFile.h"

namespace zeb {

class ZEBBook;
class ZEBParagInfo;

// What a reader gives a search per pass of its event loop: a few milliseconds of reading.
constexpr int32_t SearchStepBytes = 2 << 20;

// Finds a phrase in a book, forward or backward from a place, wrapping at the ends, in steps
// that each read a bounded part of the text so that the reader keeps running between them.
// The search reads the book through a file of its own.
class BookSearch {
public:
    enum class Direction { Forward, Backward };
    enum class State { Idle, Running, Found, NotFound };

    struct Request {
        std::string bookPath;
        int32_t textStart = 0;
        int32_t textEnd = 0;
        const ZEBParagInfo* lines = nullptr;  // the book's source lines; outlives the search
        std::u16string phrase;
        bool matchCase = false;
        Direction direction = Direction::Forward;
        // Forward the first match starting after from is found, backward the last one
        // starting before it; MakeTextKey(position, 0) - 1 lets a match at position count.
        TextKey from = 0;
        // A backward search reads the text in windows of this size, each forward, nearest first.
        int32_t windowBytes = 8 << 20;
    };

    // A search of book's text, which must stay open while the search runs.
    static Request RequestFor(const ZEBBook& book, std::u16string phrase, bool matchCase,
                              Direction direction, TextKey from);

    // False, and nothing runs, for a phrase of blanks alone or a book that cannot be read.
    bool Begin(const Request& request);
    // Reads about budget bytes of the text and gives the state after them.
    State Step(int32_t budget);
    void Cancel();

    State Current() const { return state_; }
    const PhraseMatch& Match() const { return match_; }
    // Whether the search went on from the other end of the book.
    bool Wrapped() const { return wrapped_; }
    // The share of the text read so far, 0 to 1.
    double Progress() const;

private:
    struct Window {
        int32_t begin;  // begins a record
        int32_t end;    // matches must start before it
    };

    bool Accepts(TextKey first) const;
    void StartWindow(Window window);
    void NextWindow();
    std::optional<Window> WindowBefore(int32_t end) const;
    int32_t LineStartAtOrBefore(int32_t position) const;
    void OnMatch(const PhraseMatch& match);

    Request request_;
    ZEBFile file_;
    std::unique_ptr<PhraseMatcher> matcher_;
    std::unique_ptr<TextStreamScan> scan_;
    State state_ = State::Idle;
    Window window_{0, 0};
    int64_t fedAtWindowEnd_ = -1;  // units fed when the scan reached the window's end
    std::optional<PhraseMatch> candidate_;
    PhraseMatch match_;
    bool wrapped_ = false;
    int64_t read_ = 0;
};

}  // namespace zeb
