#pragma once

// The folder every fuzz target works in for the whole run: in memory when /dev/shm exists,
// removed when the run ends. File writes are capped so that a member declaring gigabytes ends
// in the file layer's I/O failure instead of filling the disk.
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/TempDir.h"

namespace zeb::fuzz {

constexpr rlim_t MaxFileBytes = 4 << 20;

class WorkFolder {
public:
    static const std::filesystem::path& Path()
    {
        static const WorkFolder folder;
        return folder.dir_.Path();
    }

private:
    WorkFolder() : dir_(Base())
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{MaxFileBytes, MaxFileBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
    }

    static std::filesystem::path Base()
    {
        namespace fs = std::filesystem;
        return fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    }

    TempDir dir_;
};

// Writes the input under name in the work folder and returns its path.
inline std::string WriteInput(const uint8_t* data, size_t size, const std::string& name)
{
    std::string path = (WorkFolder::Path() / name).string();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return path;
}

}  // namespace zeb::fuzz
