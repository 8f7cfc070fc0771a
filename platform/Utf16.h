#pragma once

#include <string>
#include <string_view>

namespace zeb {

// Conversions between the program's UTF-16 strings and UTF-8 (paths, terminal output). A lone
// surrogate or an invalid UTF-8 sequence becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// The same for UTF-32, the wide strings of libraries on Linux; a code point that is no Unicode
// scalar value becomes U+FFFD too.
std::string Utf32ToUtf8(std::u32string_view text);
std::u32string Utf8ToUtf32(std::string_view text);

// True when text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace zeb
