#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "ImportTestSupport.h"
#include "import/ConvertTextToBook.h"
#include "storage/ZEBIOFailure.h"

using namespace zeb;
using namespace zeb::test;

namespace {

std::string Prose(size_t bytes)
{
    const std::string line = "The keeper climbed the winding stair and wound the great clock.\n";
    std::string text;
    while (text.size() < bytes)
        text += line;
    return text;
}

// Truncates the source to nothing once the scan has read it all.
class SourceVanishes : public RecordingProgress {
public:
    explicit SourceVanishes(std::string path) : path_(std::move(path)) {}
    void Progress(int64_t value) override
    {
        RecordingProgress::Progress(value);
        if (value == maximum / 3) {
            EXPECT_EQ(::truncate(path_.c_str(), 0), 0);
        }
    }

private:
    std::string path_;
};

// Limits the size of every file this process writes, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int);
};

class ConversionFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string text = Prose(SourceBytes);
        WriteBytes(source_, std::vector<uint8_t>(text.begin(), text.end()));
    }

    void Convert(ZEBProgress& progress)
    {
        ScriptedPreview accept(65001);
        ConvertTextToBook(source_, book_, remembered_, accept, progress, prompter_);
    }

    // Larger than the three 1 MiB clusters that cache the source.
    static constexpr size_t SourceBytes = 4u << 20;
    TempDir dir_;
    std::string source_ = dir_.File("source.txt");
    std::string book_ = dir_.File("00000000.book");
    int32_t remembered_ = 1252;
    FakePrompter prompter_;
};

TEST_F(ConversionFailure, AFullDiskLeavesNoBookBehind)
{
    RecordingProgress progress;
    {
        FileSizeLimit limit(256 << 10);
        EXPECT_THROW(Convert(progress), ZEBIOFailure);
    }
    EXPECT_FALSE(std::filesystem::exists(book_));
    EXPECT_EQ(remembered_, 65001) << "the code page chosen stays chosen";
    EXPECT_EQ(progress.created, 1);
    EXPECT_EQ(progress.destroyed, 1);
}

TEST_F(ConversionFailure, ASourceThatCannotBeReadAgainLeavesNoBookBehind)
{
    SourceVanishes progress(source_);
    EXPECT_THROW(Convert(progress), ZEBIOFailure);
    EXPECT_FALSE(std::filesystem::exists(book_));
    EXPECT_EQ(progress.destroyed, 1);
}

TEST_F(ConversionFailure, ADestinationThatCannotBeCreatedRaisesAndCreatesNothing)
{
    book_ = dir_.File("no such folder/00000000.book");
    RecordingProgress progress;
    EXPECT_THROW(Convert(progress), ZEBIOFailure);
    EXPECT_FALSE(std::filesystem::exists(book_));
    EXPECT_EQ(progress.created, 0);
}

TEST_F(ConversionFailure, AMissingSourceRaisesBeforeThePreview)
{
    ScriptedPreview accept(65001);
    RecordingProgress progress;
    EXPECT_THROW(ConvertTextToBook(dir_.File("missing.txt"), book_, remembered_, accept,
                                   progress, prompter_),
                 ZEBIOFailure);
    EXPECT_EQ(accept.shown, 0);
    EXPECT_FALSE(std::filesystem::exists(book_));
}

}  // namespace
