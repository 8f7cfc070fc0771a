#include <gtest/gtest.h>

#include <sched.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/DataFolder.h"
#include "platform/ProgramFolder.h"
#include "support/TempDir.h"

using namespace zeb;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable (or unsets it, given nullopt) while it lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name)
    {
        if (const char* old = ::getenv(name))
            old_ = old;
        Set(value);
    }
    ~ScopedEnv() { Set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name_, value->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

// Whether check() holds for a user whom folder permissions bind: this one, or, when it is root,
// a child process that is nobody in a user namespace of its own. nullopt when that cannot be had.
std::optional<bool> HoldsWherePermissionsBind(const std::function<bool()>& check)
{
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::unshare(CLONE_NEWUSER) != 0 ? 2 : check() ? 0 : 1);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

void Touch(const fs::path& file)
{
    fs::create_directories(file.parent_path());
    FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr) << file;
    std::fclose(f);
}

// A home folder of its own, with XDG_DATA_HOME unset, so that nothing lands in the real one.
class DataFolderTest : public ::testing::Test {
protected:
    test::TempDir home;
    ScopedEnv homeEnv{"HOME", home.Path().string()};
    ScopedEnv xdgEnv{"XDG_DATA_HOME", std::nullopt};
    test::TempDir program;
    const fs::path userFolder = home.Path() / ".local/share/zebreader";
};

TEST_F(DataFolderTest, AWritableProgramFolderKeepsTheData)
{
    EXPECT_EQ(DataFolder(program.Path().string()), program.Path().string());
    Touch(program.Path() / HelpFileName);
    fs::create_directory(program.Path() / "Books");
    EXPECT_EQ(DataFolder(program.Path().string()), program.Path().string());
    EXPECT_FALSE(fs::exists(userFolder));
}

TEST_F(DataFolderTest, AnInstalledProgramKeepsItsDataInTheUserFolderEvenWhereItMayWrite)
{
    const fs::path bin = program.Path() / "bin";
    const fs::path help = program.Path() / "share/zebreader" / HelpFileName;
    fs::create_directory(bin);
    Touch(help);
    EXPECT_EQ(DataFolder(bin.string()), userFolder.string());
    EXPECT_TRUE(fs::is_directory(userFolder));
    EXPECT_EQ(HelpFilePath(bin.string()), help.string());
}

TEST_F(DataFolderTest, AProgramFolderOrBooksFolderThatMayNotBeWrittenGivesTheUserFolder)
{
    const fs::path books = program.Path() / "Books";
    fs::create_directory(books);
    // Open to others, so that nobody (below) may look inside.
    ASSERT_EQ(::chmod(home.Path().c_str(), 0755), 0);
    for (const fs::path& locked : {books, program.Path()}) {
        ASSERT_EQ(::chmod(program.Path().c_str(), 0755), 0);
        ASSERT_EQ(::chmod(books.c_str(), 0755), 0);
        ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
        const std::optional<bool> moved = HoldsWherePermissionsBind([&] {
            return DataFolder(program.Path().string()) == userFolder.string();
        });
        if (!moved)
            GTEST_SKIP() << "folder permissions bind no user here (root without user namespaces)";
        EXPECT_TRUE(*moved) << locked;
    }
    ASSERT_EQ(::chmod(program.Path().c_str(), 0755), 0);
}

TEST_F(DataFolderTest, TheUserFolderFollowsXdgDataHomeWhenItIsAnAbsolutePath)
{
    const std::string xdg = (home.Path() / "xdg/deeper").string();
    const struct {
        std::optional<std::string> value;
        fs::path expected;
    } cases[] = {
        {xdg, fs::path(xdg) / "zebreader"},
        {std::nullopt, userFolder},
        {"", userFolder},
        {"relative/data", userFolder},
    };
    for (const auto& c : cases) {
        ScopedEnv env("XDG_DATA_HOME", c.value);
        EXPECT_EQ(UserDataFolder(), c.expected.string()) << c.value.value_or("(unset)");
        EXPECT_TRUE(fs::is_directory(c.expected)) << c.expected;
    }
    EXPECT_FALSE(fs::exists(fs::current_path() / "relative"));
}

TEST_F(DataFolderTest, ResourceFilesAreFoundBesideTheProgramFirstThenWhereItWasInstalled)
{
    const fs::path bin = program.Path() / "bin";
    const fs::path installed = program.Path() / "share/zebreader/Guide.txt";
    fs::create_directory(bin);
    EXPECT_EQ(ResourceFilePath(bin.string(), "Guide.txt"), (bin / "Guide.txt").string());
    Touch(installed);
    EXPECT_EQ(ResourceFilePath(bin.string(), "Guide.txt"), installed.string());
    Touch(bin / "Guide.txt");
    EXPECT_EQ(ResourceFilePath(bin.string(), "Guide.txt"), (bin / "Guide.txt").string());
}

}  // namespace
