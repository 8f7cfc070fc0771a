// The open ZIP file: exact reads at 64-bit offsets, for the directory and the entries' data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zeb {

// The open ZIP archive: exact reads at absolute offsets.
class ZipArchiveFile {
public:
    ZipArchiveFile() = default;
    ZipArchiveFile(const ZipArchiveFile&) = delete;
    ZipArchiveFile& operator=(const ZipArchiveFile&) = delete;
    ~ZipArchiveFile() { Close(); }

    // Raises ZipError "Not a valid zip file!" when the path names no readable regular file.
    void Open(const std::string& path);
    void Close();
    bool IsOpen() const { return handle_ >= 0; }
    uint64_t Size() const { return size_; }

    // Reads size bytes at position; raises ZipError "Premature end of file reached" when they
    // reach past the end of the file.
    void ReadAt(uint64_t position, void* destination, size_t size) const;
    // Reads up to size bytes and returns how many there were before the end of the file.
    size_t ReadSomeAt(uint64_t position, void* destination, size_t size) const;

private:
    int handle_ = -1;
    std::string path_;
    uint64_t size_ = 0;
};

}  // namespace zeb
