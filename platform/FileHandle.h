#pragma once

#include <string>

namespace zeb {

// How a file is opened. Share modes of the original platform are not emulated.
enum class FileAccess {
    Read,       // existing file, read only
    ReadWrite,  // existing file, read and write
    Create,     // created or emptied, read and write
};

constexpr int InvalidFileHandle = -1;

// Opens path (UTF-8) and returns an operating-system handle, or InvalidFileHandle.
int OpenFileHandle(const std::string& path, FileAccess access);

}  // namespace zeb
