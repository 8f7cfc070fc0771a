#pragma once

#include <string>

namespace zeb {

class ZEBBook;

// What the library needs of the reader: the book it has open, and closing it before that
// book's file is deleted.
class LibraryReader {
public:
    virtual ~LibraryReader() = default;

    // The reader's open book, or null when none is open.
    virtual ZEBBook* OpenBook() = 0;
    // Saves the open book's state and closes it; failures are the reader's to report.
    virtual void CloseBook() = 0;
};

// Whether path names the reader's open book: the same name, or the same file under another.
bool IsOpenBook(LibraryReader& reader, const std::string& path);

}  // namespace zeb
