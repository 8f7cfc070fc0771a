#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace zeb::test {

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
