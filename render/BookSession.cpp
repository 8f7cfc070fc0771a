#include "render/BookSession.h"

#include <algorithm>
#include <exception>

#include "platform/ScopeExit.h"
#include "storage/BookOptions.h"

namespace zeb {

BookSession::~BookSession() = default;

void BookSession::OpenBook(const std::string& path)
{
    try {
        CloseBook();
    } catch (const std::exception& failure) {
        prompter_.Message(StateNotSavedMessage + std::string(failure.what()), "", PromptIcon::Error,
                          PromptButtons::Ok);
    }
    path_ = path;
    ZEBBook& book = engine_.Book();
    BookOpenResult result = book.Open(path, checkLater_ ? TextCheck::Later : TextCheck::Now);
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
    // Rounded, not cut: the save cuts the fraction, and cutting again here would move the text
    // up a pixel at every reopening.
    int32_t y = int32_t((fraction * engine_.Metrics().ViewHeight + FractionOne / 2) >> 16);
    int32_t position = int32_t(book.Options().GetInteger(OptPosition, uint32_t(book.TextStart())));
    engine_.SetPosition(position, y);
    engine_.Host().RepaintView();
    if (book.IsReadOnly())
        prompter_.Message(ReadOnlyBookMessage, "", PromptIcon::Warning, PromptButtons::Ok);
    if (checkLater_)
        textCheck_ = std::make_unique<BookTextCheck>(path, book.SignedTextEnd());
}

void BookSession::FinishTextCheck()
{
    if (!textCheck_)
        return;
    std::optional<bool> good = textCheck_->Result();
    if (!good)
        return;
    textCheck_.reset();
    if (*good)
        return;
    // Nothing of a damaged book is written; its path stays, as when opening it failed.
    engine_.Reset();
    source_ = {};
    engine_.Host().RepaintView();
    prompter_.Message(CorruptedBookMessage, "", PromptIcon::Error, PromptButtons::Ok);
}

void BookSession::CloseBook()
{
    textCheck_.reset();
    // The book is released even when writing its state fails.
    ScopeExit release([this] {
        engine_.Reset();
        path_.clear();
        source_ = {};
    });
    std::exception_ptr failure;
    auto attempt = [&failure](const std::function<void()>& save) {
        try {
            save();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    if (saveSettings_)
        attempt(saveSettings_);
    attempt([this] { SaveBookState(); });
    if (failure)
        std::rethrow_exception(failure);
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
