#include "reader/BookReader.h"

#include <exception>

#include "platform/Clock.h"
#include "platform/ZEBPrompter.h"
#include "render/QtMeasurer.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

// How often the deferred check of a book's text is looked at.
constexpr int TextCheckPollMs = 20;
// How long the text rests before its place is written, and how often it is written at most
// while auto-scroll moves it.
constexpr int RestSaveMs = 3000;
constexpr qint64 ScrollingSaveMs = 30'000;

}  // namespace

BookReader::BookReader(ZEBOptions& options, const ReaderSettings& stored, ZEBRenderHost& view,
                       ZEBViewSurface& surface, ZEBPrompter& prompter)
    : options_(options),
      view_(view),
      prompter_(prompter),
      engine_(options, *this, std::make_unique<QtMeasurer>(), raster_),
      session_(engine_, options, stored, prompter),
      scroller_(engine_, options, surface,
                [] { return double(PerformanceCounter()) / double(CounterFrequency); }),
      autoScroll_(engine_, options, scroller_),
      finder_(engine_, scroller_),
      chapters_(engine_.Book(), [this](bool written) { ChaptersChanged(written); }),
      formattingBeforeOriginal_(FormattingFullHyphen)
{
    session_.SetCheckTextLater(true);
    textCheckTimer_.setInterval(TextCheckPollMs);
    QObject::connect(&textCheckTimer_, &QTimer::timeout, [this] { TextCheckPoll(); });
    restSave_.setSingleShot(true);
    restSave_.setInterval(RestSaveMs);
    QObject::connect(&restSave_, &QTimer::timeout, [this] { SaveWhileReading(); });
    sinceSave_.start();
}

// The engine's lines cancel their requests in the queue it owns; the session goes first.
BookReader::~BookReader() = default;

void BookReader::SetReports(Reports reports)
{
    reports_ = std::move(reports);
    finder_.SetReport(reports_.Search);
}

void BookReader::SetSaveSettings(std::function<void()> save)
{
    session_.SetSaveSettings(std::move(save));
}

void BookReader::Open(const std::string& path)
{
    scroller_.StopMotion();
    chapters_.BookClosing();
    try {
        session_.OpenBook(path);
    } catch (const ZEBIOFailure& failure) {
        prompter_.Message(failure.what(), "", PromptIcon::Error, PromptButtons::Ok);
    }
    if (engine_.Book().IsOpen())
        chapters_.BookOpened();
    if (session_.TextCheckPending())
        textCheckTimer_.start();
    // Opening is not reading: nothing to write until the text moves.
    restSave_.stop();
    unsaved_ = false;
    sinceSave_.restart();
    if (reports_.BookChanged)
        reports_.BookChanged();
}

void BookReader::TextCheckPoll()
{
    session_.FinishTextCheck();
    if (session_.TextCheckPending())
        return;
    textCheckTimer_.stop();
    // A damaged text closes the book.
    if (!engine_.Book().IsOpen())
        chapters_.BookClosing();
    if (reports_.BookChanged)
        reports_.BookChanged();
}

void BookReader::PositionChanged()
{
    StateChanged();
    if (reports_.PositionChanged)
        reports_.PositionChanged();
}

void BookReader::StateChanged()
{
    unsaved_ = true;
    if (!options_.Settings().AutoScrollActive)
        restSave_.start();
    else if (sinceSave_.elapsed() >= ScrollingSaveMs)
        SaveWhileReading();
}

void BookReader::SaveWhileReading()
{
    restSave_.stop();
    sinceSave_.restart();
    if (!unsaved_ || !engine_.Book().IsOpen())
        return;
    unsaved_ = false;
    try {
        session_.SaveBookState();
    } catch (const ZEBIOFailure&) {
        // Written again when the book closes, which reports a failure.
        unsaved_ = true;
    }
}

void BookReader::SettingsChanged()
{
    autoScroll_.UpdateRate();
    // Auto-scroll stopping leaves the text at rest.
    if (unsaved_ && !options_.Settings().AutoScrollActive && !restSave_.isActive())
        restSave_.start();
}

void BookReader::AddBookmark()
{
    engine_.AddBookmark();
    StateChanged();
}

void BookReader::SaveBookState()
{
    session_.SaveBookState();
}

std::optional<BookSource> BookReader::Source() const
{
    if (!engine_.Book().IsOpen())
        return std::nullopt;
    return session_.Source();
}

ZEBBook* BookReader::OpenBook()
{
    ZEBBook& book = engine_.Book();
    return book.IsOpen() ? &book : nullptr;
}

void BookReader::CloseBook()
{
    scroller_.StopMotion();
    chapters_.BookClosing();
    try {
        session_.CloseBook();
    } catch (const std::exception& failure) {
        prompter_.Message(StateNotSavedMessage + std::string(failure.what()), "", PromptIcon::Error,
                          PromptButtons::Ok);
    }
    engine_.Host().RepaintView();
    if (reports_.BookChanged)
        reports_.BookChanged();
}

void BookReader::GoTo(int32_t position)
{
    scroller_.StopMotion();
    engine_.SetPosition(position, 0);
    engine_.Host().RepaintView();
}

void BookReader::Drag(int32_t travel)
{
    scroller_.StopMotion();
    const ViewAnchor anchor = engine_.CurrentAnchor();
    const ZEBBook& book = engine_.Book();
    engine_.SetPosition(DraggedPosition(anchor.Position, travel, book.TextStart(), book.TextEnd(),
                                        engine_.Metrics().ViewHeight),
                        anchor.Y);
    engine_.Host().RepaintView();
}

void BookReader::ScrollBy(int32_t dy)
{
    scroller_.StopMotion();
    if (dy < 0 ? scroller_.CanMoveForward() : dy > 0 && scroller_.CanMoveBackward())
        scroller_.MoveBy(dy, PaintMode::Shift);
}

void BookReader::ToggleTextMovement()
{
    options_.SetTextMovement(!options_.Settings().TextMovement);
}

void BookReader::Faster(int32_t by)
{
    const ReaderSettings& s = options_.Settings();
    const int32_t value = s.SpeedMode ? s.LinesPerSecond : s.CharsPerSecond;
    if (by > 0 ? value >= SpeedRange.Max : value <= SpeedRange.Min)
        return;
    if (s.SpeedMode)
        options_.SetLinesPerSecond(value + by);
    else
        options_.SetCharsPerSecond(value + by);
}

void BookReader::ShowOriginal(bool original)
{
    options_.BeginUpdate();
    if (original) {
        formattingBeforeOriginal_ = options_.Settings().TextFormatting;
        options_.SetTextFormatting(FormattingOriginal);
        options_.SetFontWidth(false);
    } else {
        options_.SetTextFormatting(formattingBeforeOriginal_);
        options_.SetFontWidth(true);
    }
    options_.EndUpdate();
}

void BookReader::ChaptersChanged(bool written)
{
    if (written)
        StateChanged();
    if (reports_.ChaptersChanged)
        reports_.ChaptersChanged();
}

std::optional<size_t> BookReader::CurrentChapter() const
{
    const int32_t quarter = engine_.Metrics().ViewHeight / 4;
    const auto& screen = engine_.ScreenLines();
    int32_t position = engine_.CurrentAnchor().Position;
    for (const ZEBRenderScreenLine& entry : screen) {
        position = entry.Line->Start;
        if (entry.Line->Y + entry.Line->Height > quarter)
            break;
    }
    return chapters_.At(position);
}

void BookReader::NextChapter()
{
    const std::optional<size_t> current = CurrentChapter();
    const size_t next = current ? *current + 1 : 0;
    if (next < chapters_.List().size())
        scroller_.ShowQuarterDown(chapters_.List()[next].Position, true);
}

void BookReader::PreviousChapter()
{
    const std::optional<size_t> current = CurrentChapter();
    if (current && *current > 0)
        scroller_.ShowQuarterDown(chapters_.List()[*current - 1].Position, true);
}

void BookReader::GoToChapter(size_t index)
{
    if (index < chapters_.List().size())
        scroller_.ShowQuarterDown(chapters_.List()[index].Position, false);
}

bool BookReader::ChooseChapters(ChapterChoice choice, const std::u16string& pattern)
{
    return chapters_.Choose(choice, pattern);
}

void BookReader::Find(const std::u16string& phrase, bool matchCase,
                      BookSearch::Direction direction)
{
    finder_.Find(phrase, matchCase, direction);
}

void BookReader::LayoutChanged(double pixelRatio)
{
    Paused([&] {
        raster_.SetDevicePixelRatio(pixelRatio);
        engine_.ApplyDisplaySettings();
    });
}

void BookReader::ViewResized()
{
    Paused([&] { engine_.ViewResized(); });
}

void BookReader::Paused(const std::function<void()>& body)
{
    const bool active = options_.Settings().AutoScrollActive;
    options_.SetAutoScrollActive(false);
    body();
    options_.SetAutoScrollActive(active);
}

GaugeReading BookReader::Gauge() const
{
    return {GaugeTenths(engine_), options_.Settings().SpeedMode, autoScroll_.LastSecond()};
}

}  // namespace zeb
