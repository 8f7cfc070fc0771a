#pragma once

#include <functional>
#include <memory>
#include <string>

#include "settings/ApplySettings.h"
#include "platform/ZEBPrompter.h"
#include "render/ZEBRenderParag.h"
#include "storage/BookTextCheck.h"

namespace zeb {

// The messages of a book that cannot be opened.
inline constexpr const char* NotABookMessage = "The is not the ZEB Book file";
inline constexpr const char* CorruptedBookMessage = "The is ZEB Book is corrupted";
// Shown once when a book opens that may not be written (its file or folder is read-only).
inline constexpr const char* ReadOnlyBookMessage =
    "This book is read-only: the reading place and bookmarks will not be saved.";
// What opening a book shows, followed by the failure's own text, when closing the book before
// it could not save the settings or that book's state.
inline constexpr const char* StateNotSavedMessage = "The state could not be saved: ";

// Opening and closing the reader's one book: the checks, the book's own settings and reading
// position going into the engine, and the reading state written back into the book.
class BookSession {
public:
    // stored is the stored copy of the settings, which the book's own ones override.
    BookSession(ZEBRenderParag& engine, ZEBOptions& options, const ReaderSettings& stored,
                ZEBPrompter& prompter)
        : engine_(engine), options_(options), stored_(stored), prompter_(prompter) {}

    ~BookSession();

    // With true, a book's text signature is checked on a thread of its own while the book is
    // already shown; FinishTextCheck then takes the result. Otherwise opening checks it.
    void SetCheckTextLater(bool later) { checkLater_ = later; }
    bool TextCheckPending() const { return textCheck_ != nullptr; }
    // Once the check is done: a book whose text fails it is closed without its state being
    // written, and reported as corrupted. Does nothing while the check runs.
    void FinishTextCheck();

    // Run by CloseBook before the book's own state is written: saves "Global.cfg".
    void SetSaveSettings(std::function<void()> saveSettings) { saveSettings_ = std::move(saveSettings); }

    // Closes the open book, then opens the one at path and shows it at its saved position. A
    // file that is no book, or a damaged one, is reported and leaves no book open. A save of
    // the closing that failed is reported too (StateNotSavedMessage), and the opening goes on.
    void OpenBook(const std::string& path);
    // Saves the settings and the book's reading state, each whatever became of the other, and
    // releases the book; then passes on the first failure of the two saves.
    void CloseBook();
    // Writes the reading position, the book's own settings and its bookmarks into its options
    // block (nothing without a book).
    void SaveBookState();

    // The path of the last book asked for; it stays when opening failed.
    const std::string& Path() const { return path_; }
    const BookSource& Source() const { return source_; }

private:
    ZEBRenderParag& engine_;
    ZEBOptions& options_;
    const ReaderSettings& stored_;
    ZEBPrompter& prompter_;
    std::function<void()> saveSettings_;
    std::string path_;
    BookSource source_;
    bool checkLater_ = false;
    std::unique_ptr<BookTextCheck> textCheck_;
};

}  // namespace zeb
