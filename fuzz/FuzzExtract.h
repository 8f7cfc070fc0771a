#pragma once

// Shared body of the extractor fuzz targets: the input is written to an archive file, the
// extractor opens it and is asked for members until it returns none, and the scratch folder is
// emptied again.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/FuzzWorkFolder.h"
#include "library/common/ZEBExtractor.h"
#include "storage/ZEBIOFailure.h"

namespace zeb::fuzz {

constexpr int MaxMembers = 64;

inline void Extract(ZEBExtractor& extractor, const char* extension, const uint8_t* data,
                    size_t size)
{
    const std::string archive = WriteInput(data, size, std::string("in") + extension);
    const std::filesystem::path out = WorkFolder::Path() / "out";
    std::filesystem::create_directory(out);
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
