#pragma once

#include <string>

#include "library/ZEBImport.h"

namespace zeb {

class ZEBPrompter;

// A first start: converts the guide (a UTF-8 text) into the books folder when it holds no book
// yet, so that the library opens with something to read. Gives the book made, or "".
std::string AddGuideToEmptyLibrary(const ImportFolders& folders, const std::string& guide,
                                   ZEBPrompter& prompter);

}  // namespace zeb
