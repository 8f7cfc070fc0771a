#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "library/common/ZEBExtractor.h"
#include "support/SharedFixture.h"
#include "support/TempDir.h"

// ZEB_REQUIRE_FIXTURE for a path computed at run time.
#define ZEB_REQUIRE_CORPUS(var, relative)                                           \
    const std::string var = ::zeb::test::SharedFixture(relative);                   \
    if (var.empty())                                                                \
    GTEST_SKIP() << "fixture missing: " << ZEB_SHARED_DIR "/fixtures/" << (relative)

namespace zeb::test {

struct Extracted {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Runs an extractor to the end as the import does: each file is read and then deleted before
// the next one is asked for.
inline std::vector<Extracted> ExtractAll(ZEBExtractor& extractor, const std::string& archive,
                                         const TempDir& folder)
{
    std::vector<Extracted> files;
    for (std::string path = extractor.Open(archive, folder.Path().string()); !path.empty();
         path = extractor.Next()) {
        EXPECT_EQ(std::filesystem::path(path).parent_path(), folder.Path()) << path;
        files.push_back({std::filesystem::path(path).filename().string(), ReadBytes(path)});
        std::filesystem::remove(path);
    }
    extractor.Close();
    return files;
}

inline std::vector<std::string> Names(const std::vector<Extracted>& files)
{
    std::vector<std::string> names;
    for (const Extracted& f : files)
        names.push_back(f.name);
    return names;
}

// The corpus text a member was packed from.
inline std::vector<uint8_t> SourceText(const std::string& name)
{
    return ReadBytes(std::string(ZEB_SHARED_DIR) + "/fixtures/texts/" + name);
}

// Every extracted file equals the corpus text of its name.
inline void ExpectSourceTexts(const std::vector<Extracted>& files)
{
    for (const Extracted& f : files)
        EXPECT_TRUE(f.bytes == SourceText(f.name)) << f.name;
}

inline bool FolderIsEmpty(const TempDir& folder)
{
    return std::filesystem::is_empty(folder.Path());
}

// A copy of a corpus archive in folder, changed by edit.
template <class Edit>
std::string EditedCopy(const std::string& archive, const TempDir& folder, const std::string& name,
                       Edit edit)
{
    std::vector<uint8_t> bytes = ReadBytes(archive);
    edit(bytes);
    std::string path = folder.File(name);
    WriteBytes(path, bytes);
    return path;
}

const std::vector<std::string> SixTexts = {"prose.txt",    "verse.txt", "ru_cp866.txt",
                                           "allbytes.bin", "large.txt", "empty.txt"};

}  // namespace zeb::test
