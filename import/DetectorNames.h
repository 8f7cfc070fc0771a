#pragma once

#include <cstdint>
#include <string_view>

namespace zeb {

// The catalogue's code page for a charset name the detector gives, or 0 when the catalogue has
// none for it. The detector names an ISO 8859 set for text without bytes 0x80 .. 0x9F; Latin-1,
// Greek and Turkish ones map onto the Windows page of their script, which such texts mostly are
// and which shows their letters alike.
int32_t CodePageOfDetectorName(std::string_view name);

}  // namespace zeb
