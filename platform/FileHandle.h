#pragma once

#include <string>

namespace zeb {

// How a file is opened. Share modes of the original platform are not emulated.
enum class FileAccess {
    Read,       // existing file, read only
    ReadWrite,  // existing file, read and write
    // A new file, read and write. Nothing under the name may exist yet, not even a link, so
    // that output never goes through a link or over a file nobody meant to replace.
    CreateNew,
};

constexpr int InvalidFileHandle = -1;

// Opens path (UTF-8) and returns an operating-system handle, or InvalidFileHandle with the
// system's reason in errno. Only regular files are accepted.
int OpenFileHandle(const std::string& path, FileAccess access);

}  // namespace zeb
