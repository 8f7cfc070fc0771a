#pragma once

#include <string>
#include <vector>

namespace zeb {

class LibraryReader;
class ZEBBrowseFile;
class ZEBProgress;
struct ImportFolders;

// The caption of the progress shown while the library list loads.
inline constexpr const char* LoadingText = "Loading ...";

// The names of the book files in folder, in the order the system lists them: regular files
// ending in ".book", not hidden.
std::vector<std::string> BookFileNames(const std::string& folder);

// Whether a file name is a book's: ".book" in any case, not hidden.
bool IsBookName(const std::string& name);

// Creates the book and scratch folders when missing and loads every book of the book folder
// into list, showing the progress while there is at least one. Files that are no books are
// left out.
void LoadLibrary(const ImportFolders& folders, ZEBBrowseFile& list, LibraryReader& reader,
                 ZEBProgress& progress);

}  // namespace zeb
