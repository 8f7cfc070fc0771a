#pragma once

#include <string>

#include "storage/BookHeader.h"
#include "storage/ZEBFile.h"

namespace zeb::tool {

// A book file opened for reading, with its header.
struct OpenedBook {
    ZEBFile file;
    BookHeader header;
    bool isBook = false;
    bool textSigned = false;     // the first block signature is good
    bool optionsSigned = false;  // the second one is good
};

// Opens path read-only, checks the header and verifies both signatures (only for a book
// file). ZEBIOFailure when the file cannot be opened or read.
void OpenBookFile(const std::string& path, OpenedBook& book);

}  // namespace zeb::tool
