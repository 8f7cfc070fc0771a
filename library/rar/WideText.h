// The UnRAR library's wide strings (UTF-32 on Linux) to and from UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zeb {

// UTF-8 of a wide string (UTF-32 on Linux). Names handed out by the UnRAR library may begin
// with U+FFFE, its mark for a name whose bytes it could not decode; the bytes then follow as
// U+E000 + byte and are given back unchanged. Invalid code points become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

// The wide string of UTF-8 text; malformed sequences become U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);

}  // namespace zeb
