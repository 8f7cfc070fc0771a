// The errors that make a ZIP archive unreadable, with the texts the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace zeb {

// Texts of the errors that end an import run when a ZIP archive cannot be read.
inline constexpr const char* ZipNotValidText = "Not a valid zip file!";
inline constexpr const char* ZipIncompleteText = "Incomplete Zip File";
inline constexpr const char* ZipPrematureEndText = "Premature end of file reached";

// Raised while reading a ZIP archive's directory or an entry's data; what() is the message the
// user sees.
class ZipError : public std::runtime_error {
public:
    explicit ZipError(const char* text) : std::runtime_error(text) {}
};

}  // namespace zeb
