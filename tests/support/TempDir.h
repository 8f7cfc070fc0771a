#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zeb::test {

// A fresh folder removed with everything in it when the test ends.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zebtest-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A file of the shared fixture corpus, or "" (and the test is skipped by the caller) when the
// corpus is not beside the checkout.
inline std::string SharedFixture(const std::string& relative)
{
    std::filesystem::path p = std::filesystem::path(ZEB_SHARED_DIR) / "fixtures" / relative;
    return std::filesystem::exists(p) ? p.string() : std::string();
}

#define ZEB_REQUIRE_FIXTURE(var, relative)                                          \
    const std::string var = ::zeb::test::SharedFixture(relative);                   \
    if (var.empty())                                                                \
        GTEST_SKIP() << "fixture missing: " << ZEB_SHARED_DIR "/fixtures/" relative

}  // namespace zeb::test
