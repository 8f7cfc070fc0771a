#pragma once

// Shared body of the extractor fuzz targets: the input is written to an archive file, the
// extractor opens it and is asked for members until it returns none, and the scratch folder is
// emptied again. File writes are capped so that a member declaring gigabytes ends in the file
// layer's I/O failure instead of filling the disk.
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "library/ZEBExtractor.h"
#include "storage/ZEBIOFailure.h"

namespace zeb::fuzz {

constexpr rlim_t MaxFileBytes = 4 << 20;
constexpr int MaxMembers = 64;

inline const std::filesystem::path& WorkFolder()
{
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zebfuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::filesystem::create_directory(std::filesystem::path(pattern) / "out");
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{MaxFileBytes, MaxFileBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        return std::filesystem::path(pattern);
    }();
    return folder;
}

inline void Extract(ZEBExtractor& extractor, const char* extension, const uint8_t* data,
                    size_t size)
{
    const std::filesystem::path& work = WorkFolder();
    const std::string archive = (work / "in").string() + extension;
    const std::filesystem::path out = work / "out";
    {
        std::ofstream file(archive, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    try {
        int members = 0;
        for (std::string path = extractor.Open(archive, out.string());
             !path.empty() && members < MaxMembers; path = extractor.Next()) {
            ++members;
            // Every member must land directly in the scratch folder.
            if (std::filesystem::path(path).parent_path() != out)
                std::abort();
            std::filesystem::remove(path);
        }
    } catch (const ZEBIOFailure&) {
        // A member too large for the write cap.
    }
    extractor.Close();
    for (const auto& entry : std::filesystem::directory_iterator(out))
        std::filesystem::remove_all(entry.path());
}

}  // namespace zeb::fuzz
