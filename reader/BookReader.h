#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QElapsedTimer>
#include <QTimer>

#include "library/LibraryReader.h"
#include "reader/AutoScroll.h"
#include "reader/FindInBook.h"
#include "reader/ReaderChapters.h"
#include "render/BookSession.h"
#include "render/GaugeTexts.h"
#include "render/QtRaster.h"
#include "render/ViewScroller.h"
#include "render/ZEBRenderParag.h"
#include "settings/ZEBOptions.h"

namespace zeb {

class ZEBPrompter;

// The reading of the open book, without a window: the engine and the book session, the moves,
// auto-scroll and the main loop, bookmarks and search. The reader's commands are its methods;
// the window only turns keys, clicks and the wheel into them and shows what it reports.
class BookReader : public LibraryReader, private ZEBRenderHost {
public:
    // What the window is told. Each may be left empty.
    struct Reports {
        // A book was opened or closed, or its text failed the deferred check and was closed.
        std::function<void()> BookChanged;
        // The reading position moved.
        std::function<void()> PositionChanged;
        // A search moved on or ended.
        FindInBook::Report Search;
        // The book's chapters changed: read, found, chosen, or gone.
        std::function<void()> ChaptersChanged;
    };

    // stored is the stored copy of the settings, which a book's own ones override; view and
    // surface are the reader view (its size and repaints, the pixels moves shift).
    BookReader(ZEBOptions& options, const ReaderSettings& stored, ZEBRenderHost& view,
               ZEBViewSurface& surface, ZEBPrompter& prompter);
    ~BookReader() override;

    void SetReports(Reports reports);
    // Run by a book's close before its own state is written: saves "Global.cfg".
    void SetSaveSettings(std::function<void()> save);

    // Opens the book at path (closing the one before); a book that cannot be read is reported
    // and leaves none open. Its text is checked meanwhile, and BookChanged follows the check.
    void Open(const std::string& path);
    // Writes the reading position, the book's own settings and its bookmarks into the book.
    void SaveBookState();
    // The path of the last book asked for; it stays when opening failed.
    const std::string& BookPath() const { return session_.Path(); }
    // The open book's source file; none without a book.
    std::optional<BookSource> Source() const;

    ZEBBook* OpenBook() override;
    // A state that could not be saved is reported; the book is closed all the same.
    void CloseBook() override;

    void PageUp() { scroller_.PageUp(); }
    void PageDown() { scroller_.PageDown(); }
    void LineUp() { scroller_.LineUp(); }
    void LineDown() { scroller_.LineDown(); }
    void GoToTop() { scroller_.GoToTop(); }
    void GoToBottom() { scroller_.GoToBottom(); }
    // Shows text position at the view's top (a bookmark, a percentage chosen).
    void GoTo(int32_t position);
    // Dragging: the pointer travelled so many pixels down (up when negative).
    void Drag(int32_t travel);
    // Moves the text dy pixels down (up when negative) at once, as a touchpad swipes it,
    // within the limits at both ends of the book.
    void ScrollBy(int32_t dy);
    // An animated move runs.
    bool Moving() const { return scroller_.Moving(); }
    void AddBookmark();

    void ToggleAutoScroll() { autoScroll_.Toggle(); }
    void StopAutoScroll() { autoScroll_.Stop(); }
    void ToggleTextMovement();
    // "+" and "-": the speed of the mode in use, by one within its range.
    void Faster(int32_t by);
    // Pressed, the text shows as typed in the fixed-width font; released, the formatting from
    // before the press comes back with the proportional font.
    void ShowOriginal(bool original);

    const ReaderChapters& Chapters() const { return chapters_; }
    // The chapter being read: the one holding the line a quarter down the view.
    std::optional<size_t> CurrentChapter() const;
    // The next and the previous chapter's heading a quarter down the view, moving there as
    // "Text Movement" says; nothing past the first or the last.
    void NextChapter();
    void PreviousChapter();
    // Reads chapter index from its heading, a quarter down the view, at once.
    void GoToChapter(size_t index);
    // The user's choice of chapters for this book (see ReaderChapters::Choose).
    bool ChooseChapters(ChapterChoice choice, const std::u16string& pattern);

    void Find(const std::u16string& phrase, bool matchCase, BookSearch::Direction direction);
    void CancelFind() { finder_.Cancel(); }
    bool Finding() const { return finder_.Running(); }

    // The settings changed: the auto-scroll rate follows them.
    void SettingsChanged();
    // The look changed: the text is laid out again for pictures at pixelRatio, auto-scroll
    // paused meanwhile.
    void LayoutChanged(double pixelRatio);
    void ViewResized();

    // The main loop: runs until StopLoop and returns once it has ended.
    void RunLoop() { autoScroll_.RunLoop(); }
    void StopLoop() { autoScroll_.StopLoop(); }
    bool LoopRunning() const { return autoScroll_.LoopRunning(); }
    // Ends the statistics timer's thread; nothing ticks afterwards.
    void EndTimer() { autoScroll_.EndTimer(); }

    // What the toolbar gauge shows now.
    GaugeReading Gauge() const;

    ZEBRenderParag& Engine() { return engine_; }
    const ZEBRenderParag& Engine() const { return engine_; }
    ViewScroller& Scroller() { return scroller_; }
    AutoScroll& AutoScroller() { return autoScroll_; }

private:
    ViewSize ViewSizeNow() const override { return view_.ViewSizeNow(); }
    void RepaintView() override { view_.RepaintView(); }
    void PositionChanged() override;
    // The reading state is written a few seconds after the text comes to rest, and at most
    // every 30 seconds while auto-scroll runs, so that a crash or a power cut loses little.
    void StateChanged();
    void SaveWhileReading();
    // Runs body with auto-scroll paused and resumed as it was.
    void Paused(const std::function<void()>& body);
    void TextCheckPoll();
    void ChaptersChanged(bool written);

    ZEBOptions& options_;
    ZEBRenderHost& view_;
    ZEBPrompter& prompter_;
    QtRasterStep raster_;
    ZEBRenderParag engine_;
    BookSession session_;
    ViewScroller scroller_;
    AutoScroll autoScroll_;
    FindInBook finder_;
    ReaderChapters chapters_;
    QTimer textCheckTimer_;
    QTimer restSave_;
    QElapsedTimer sinceSave_;
    bool unsaved_ = false;
    Reports reports_;
    uint8_t formattingBeforeOriginal_;
};

}  // namespace zeb
