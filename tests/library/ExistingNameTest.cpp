#include <unistd.h>

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "library/ArchiveReaders.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

namespace zeb::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

const std::vector<uint8_t> Note = Bytes("A short note, packed to be extracted.\n");
const std::vector<uint8_t> After = Bytes("The member after the note.\n");

// A symbolic link named like the first member of note.zip or note.rar points at a file outside
// the scratch folder, or at nothing. Whatever the answer, the link's target is neither written
// nor created; Yes puts the member there as a regular file in place of the link, No keeps the
// link and skips the member, and the archive goes on with the next one.
TEST(ArchiveReaders, ALinkNamedLikeAMemberIsReplacedOnlyOnYesAndNeverWrittenThrough)
{
    for (ArchiveKind kind : {ArchiveKind::Zip, ArchiveKind::Rar}) {
        const std::string archive = std::string(ZEB_LIBRARY_TEST_DATA) +
                                    (kind == ArchiveKind::Zip ? "/note.zip" : "/note.rar");
        for (bool dangling : {false, true}) {
            for (PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No}) {
                SCOPED_TRACE(archive + (dangling ? ", dangling" : ", to a file") +
                             (answer == PromptAnswer::Yes ? ", Yes" : ", No"));
                TempDir outside, scratch;
                const std::string target = outside.File("target.txt");
                if (!dangling)
                    WriteBytes(target, Bytes("outside"));
                const std::string link = scratch.File("note.txt");
                ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
                FakePrompter prompter;
                prompter.messageAnswers = {answer};
                ArchiveReaders readers(prompter);
                std::map<std::string, std::vector<uint8_t>> handed;
                ArchiveEnd end = readers.ForEachMember(
                    kind, archive, scratch.Path().string(), [&](const std::string& path) {
                        handed[fs::path(path).filename().string()] = ReadBytes(path);
                        fs::remove(path);
                    });

                EXPECT_TRUE(end.IsNormal()) << end.Text();
                ASSERT_EQ(prompter.messages.size(), 1u);
                EXPECT_EQ(prompter.messages[0].text, "Replace existing file note.txt?");
                EXPECT_EQ(prompter.messages[0].caption, "File Exists Alert");
                EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::YesNo);
                if (dangling)
                    EXPECT_FALSE(fs::exists(fs::symlink_status(target)));
                else
                    EXPECT_EQ(ReadBytes(target), Bytes("outside"));
                if (answer == PromptAnswer::Yes) {
                    EXPECT_EQ(handed, (std::map<std::string, std::vector<uint8_t>>{
                                          {"note.txt", Note}, {"after.txt", After}}));
                    EXPECT_TRUE(fs::is_empty(scratch.Path()));
                } else {
                    EXPECT_EQ(handed,
                              (std::map<std::string, std::vector<uint8_t>>{{"after.txt", After}}));
                    EXPECT_EQ(fs::read_symlink(link), target);
                }
            }
        }
    }
}

}  // namespace
}  // namespace zeb::test
