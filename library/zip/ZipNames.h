// ZIP member names as UTF-8, from UTF-8 or the old DOS code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

// A ZIP member name as UTF-8. Flag bit 11 declares UTF-8. Without it, archives from DOS,
// OS/2 and Windows hold names in the OEM code page 437; archives from other systems hold the
// bytes of their file system, taken as they are when they form UTF-8 and read as code page
// 437 otherwise, so that every name comes out as valid UTF-8.
std::string ZipNameToUtf8(std::string_view stored, uint16_t flags, uint16_t versionMadeBy);

// The UTF-8 text of bytes in code page 437.
std::string Cp437ToUtf8(std::string_view bytes);

}  // namespace zeb
