#pragma once

#include <string>
#include <string_view>

namespace zeb {

// Conversions between the program's UTF-16 strings and UTF-8 (paths, terminal output). A lone
// surrogate or an invalid UTF-8 sequence becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace zeb
