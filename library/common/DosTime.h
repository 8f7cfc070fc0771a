// The DOS date and time that ZIP and RAR store, given to an extracted file.
#pragma once

#include <cstdint>
#include <string>

namespace zeb {

// Sets the modification time of the file at path to a DOS date and time (local time, two-second
// steps), as archives store them. A date that names no day (month or day 0) leaves the file as it is.
void SetFileDosTime(const std::string& path, uint16_t time, uint16_t date);

}  // namespace zeb
