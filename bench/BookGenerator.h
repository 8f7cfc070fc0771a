#pragma once

#include <cstdint>
#include <string>

namespace zeb::bench {

// Writes a book made from about textBytes of generated prose: words of natural lengths drawn
// with a skewed frequency, source lines of 60 to 75 characters, paragraphs of 1 to 12 lines
// opening with a TAB, as the importer would store them.
void GenerateBook(const std::string& path, int64_t textBytes);

}  // namespace zeb::bench
