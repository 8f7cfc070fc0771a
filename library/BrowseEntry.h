#pragma once

#include <memory>
#include <string>
#include <vector>

namespace zeb {

class BookText;
class LibraryReader;
struct ZEBBrowseFileObject;

constexpr int PreviewLineCount = 9;
constexpr size_t PreviewLineLength = 256;

// The first non-empty source lines of a book's text, at most PreviewLineCount of them, each
// cut to PreviewLineLength code units: the words of a line with one blank wherever blanks
// separate them, a paragraph's TAB left out.
std::vector<std::u16string> PreviewLines(const BookText& text);

// The library entry of the book at path: its title, its source size and its preview. The
// reader's open book is read through the reader's own open file. Nothing for a file that
// cannot be opened or read, is no book, or whose options block does not verify.
std::unique_ptr<ZEBBrowseFileObject> LoadBrowseEntry(const std::string& path,
                                                     LibraryReader& reader);

}  // namespace zeb
