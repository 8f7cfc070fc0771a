#pragma once

#include <cstdint>
#include <string>

#include "platform/ZEBPrompter.h"

namespace zeb::bench {

// Writes about textBytes of generated prose as a UTF-8 text at textPath: words of natural
// lengths drawn with a skewed frequency, source lines of 60 to 75 characters, paragraphs of 1
// to 12 lines with an indented first line.
void WriteText(const std::string& textPath, int64_t textBytes);

// Writes about textBytes of generated prose as a UTF-8 text next to path, with words of
// natural lengths drawn with a skewed frequency, source lines of 60 to 75 characters and
// paragraphs of 1 to 12 lines with an indented first line, then imports it into the book at
// path with the program's own converter.
void GenerateBook(const std::string& path, int64_t textBytes, ZEBPrompter& prompter);

}  // namespace zeb::bench
