#include "render/BookSession.h"

#include <algorithm>

#include "storage/BookOptions.h"

namespace zeb {

void BookSession::OpenBook(const std::string& path)
{
    CloseBook();
    path_ = path;
    ZEBBook& book = engine_.Book();
    BookOpenResult result = book.Open(path);
    if (result != BookOpenResult::Opened) {
        engine_.Host().RepaintView();
        prompter_.Message(result == BookOpenResult::NotABook ? NotABookMessage : CorruptedBookMessage,
                          "", PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    source_ = ApplySettings(options_, stored_, false, &book.Options());
    // A stored fraction outside the view would have the engine lay out the book far above it.
    int64_t fraction = std::clamp<int64_t>(
        int32_t(book.Options().GetInteger(OptPositionFraction, InitialPositionFraction)), 0, FractionOne);
    int32_t y = int32_t((fraction * engine_.Metrics().ViewHeight) >> 16);
    int32_t position = int32_t(book.Options().GetInteger(OptPosition, uint32_t(book.TextStart())));
    engine_.SetPosition(position, y);
    engine_.Host().RepaintView();
}

void BookSession::CloseBook()
{
    // The book is released even when writing its state fails.
    struct Release {
        BookSession& session;
        ~Release()
        {
            session.engine_.Reset();
            session.path_.clear();
            session.source_ = {};
        }
    } release{*this};
    if (saveSettings_)
        saveSettings_();
    SaveBookState();
}

void BookSession::SaveBookState()
{
    ZEBBook& book = engine_.Book();
    if (!book.IsOpen())
        return;
    ReadingPosition position = engine_.CurrentReadingPosition();
    const ReaderSettings& settings = options_.Settings();
    book.SaveState({position.Position, position.Fraction, settings.FontWidth, settings.TextFormatting});
}

}  // namespace zeb
