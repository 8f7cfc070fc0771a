#pragma once

#include "library/LibraryReader.h"

namespace zeb {

class BookSession;
class ZEBPrompter;
class ZEBRenderParag;

// The reader's side of the library: its open book, closed with its state saved before the
// library deletes it.
class MainLibraryReader : public LibraryReader {
public:
    MainLibraryReader(ZEBRenderParag& engine, BookSession& session, ZEBPrompter& prompter)
        : engine_(engine), session_(session), prompter_(prompter) {}

    ZEBBook* OpenBook() override;
    // A state that could not be saved is reported; the book is closed all the same.
    void CloseBook() override;

private:
    ZEBRenderParag& engine_;
    BookSession& session_;
    ZEBPrompter& prompter_;
};

}  // namespace zeb
