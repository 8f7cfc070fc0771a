#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "Manifest.h"
#include "library/ArchivePrompts.h"
#include "library/rar/ZEBRar.h"
#include "support/FakePrompter.h"
#include "support/SharedFixture.h"
#include "support/TempDir.h"

using namespace zeb;
using namespace zeb::test;

namespace {

std::string Fixtures() { return std::string(ZEB_SHARED_DIR) + "/fixtures/"; }

// An extractor wired to a fake prompter the way the library window wires it to the user.
struct RarRig {
    FakePrompter prompter;
    ZEBRar rar;
    TempDir scratch;

    RarRig() { AnswerRarRequests(rar, prompter); }

    // Runs the archive as the import does: every extracted file is checked by check and
    // deleted before the next one; returns the bare names in extraction order.
    std::vector<std::string> ExtractAll(const std::string& archive,
                                        const std::function<void(const std::string&)>& check = {})
    {
        std::vector<std::string> names;
        for (std::string path = rar.Open(archive, scratch.Path().string()); !path.empty();
             path = rar.Next()) {
            EXPECT_EQ(std::filesystem::path(path).parent_path(), scratch.Path());
            names.push_back(std::filesystem::path(path).filename().string());
            if (check)
                check(path);
            std::filesystem::remove(path);
        }
        rar.Close();
        return names;
    }
};

}  // namespace

// RAR4 and RAR5, stored, solid, folder trees (directory entries skipped), multi-volume sets,
// encrypted data and encrypted headers with the right password: every file member comes out
// under its bare name, in archive order, with the manifest's content.
TEST(ZEBRar, ExtractsEveryIntactCorpusArchiveAsTheManifestSays)
{
    std::vector<ManifestRow> rows = LoadManifest("archives/rar/");
    if (rows.empty())
        GTEST_SKIP() << "fixture missing: " << Fixtures() << "MANIFEST.tsv";
    std::map<std::string, std::vector<ManifestRow>> byArchive;
    for (const ManifestRow& row : rows) {
        if (row.archive.find("damaged") == std::string::npos &&
            row.archive.find("_missing") == std::string::npos)
            byArchive[row.archive].push_back(row);
    }
    EXPECT_EQ(byArchive.size(), 12u);
    for (const auto& [archive, members] : byArchive) {
        SCOPED_TRACE(archive);
        RarRig rig;
        rig.prompter.passwordFor = [](const std::string&) { return "secret"; };
        std::map<std::string, const ManifestRow*> byName;
        std::vector<std::string> expected;
        for (const ManifestRow& row : members) {
            if (row.type == "file") {
                std::string name = row.path.substr(row.path.find_last_of('/') + 1);
                byName[name] = &row;
                expected.push_back(name);
            }
        }
        std::vector<std::string> names = rig.ExtractAll(Fixtures() + archive, [&](const std::string& path) {
            const ManifestRow* row = byName[std::filesystem::path(path).filename().string()];
            ASSERT_NE(row, nullptr) << path;
            EXPECT_EQ(SizeAndCrc(path), std::make_pair(row->size, row->crc));
        });
        EXPECT_EQ(names, expected);
        EXPECT_TRUE(rig.prompter.messages.empty());
        EXPECT_EQ(rig.prompter.passwordRequests.empty(), members[0].password.empty());
    }
}

TEST(ZEBRar, PasswordRequestsNameTheArchiveAndTheMember)
{
    ZEB_REQUIRE_FIXTURE(data, "archives/rar/encrypted5.rar");
    ZEB_REQUIRE_FIXTURE(headers, "archives/rar/encrypted_headers5.rar");
    struct Case {
        std::string archive, member;
    } cases[] = {
        {data, "prose.txt"},
        // Encrypted headers are opened before any member is known.
        {headers, ""},
    };
    for (const Case& c : cases) {
        RarRig rig;
        rig.prompter.passwordAnswers = {"secret"};
        EXPECT_EQ(rig.ExtractAll(c.archive).size(), 2u);
        ASSERT_EQ(rig.prompter.passwordRequests.size(), 1u);
        EXPECT_EQ(rig.prompter.passwordRequests[0].archive,
                  std::filesystem::path(c.archive).filename().string());
        EXPECT_EQ(rig.prompter.passwordRequests[0].member, c.member);
    }
}

// A wrong or cancelled password fails the member with the library's code (RAR4 reports a CRC
// error, RAR5 a bad or missing password) and ends the archive; with encrypted headers nothing
// can be read at all, silently. The user is asked once per request.
TEST(ZEBRar, AWrongOrCancelledPasswordEndsTheArchive)
{
    ZEB_REQUIRE_FIXTURE(any, "archives/rar/encrypted4.rar");
    struct Case {
        const char* archive;
        std::optional<std::string> answer;
        std::vector<std::string> messages;
    } cases[] = {
        {"encrypted4.rar", "wrong", {"File CRC error\r\nprose.txt"}},
        {"encrypted5.rar", "wrong", {"Unknown Error\r\nprose.txt"}},
        {"encrypted5.rar", std::nullopt, {"Unknown Error\r\nprose.txt"}},
        {"encrypted_headers4.rar", "wrong", {}},
        {"encrypted_headers5.rar", "wrong", {}},
        {"encrypted_headers5.rar", std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        RarRig rig;
        rig.prompter.passwordAnswers = {c.answer};
        EXPECT_TRUE(rig.ExtractAll(Fixtures() + "archives/rar/" + c.archive).empty());
        EXPECT_EQ(rig.prompter.MessageTexts(), c.messages);
        EXPECT_EQ(rig.prompter.passwordRequests.size(), 1u);
        EXPECT_TRUE(std::filesystem::is_empty(rig.scratch.Path()));
    }
}

TEST(ZEBRar, ADamagedMemberIsReportedAndStopsTheRestOfTheArchive)
{
    ZEB_REQUIRE_FIXTURE(any, "archives/rar/damaged4.rar");
    for (const char* archive : {"damaged4.rar", "damaged5.rar"}) {
        RarRig rig;
        EXPECT_TRUE(rig.ExtractAll(Fixtures() + "archives/rar/" + archive).empty()) << archive;
        EXPECT_EQ(rig.prompter.MessageTexts(),
                  std::vector<std::string>{"File CRC error\r\nprose.txt"});
        EXPECT_TRUE(std::filesystem::is_empty(rig.scratch.Path()));
    }
}

// The box asks for the missing volume by its full name; OK makes the library try that name
// again, Cancel ends the archive with the volume error.
TEST(ZEBRar, AMissingVolumeIsAskedForUntilCancelled)
{
    ZEB_REQUIRE_FIXTURE(any, "archives/rar/multivol5_missing/vol5.part01.rar");
    struct Case {
        const char* first;
        const char* missing;
    } cases[] = {
        {"archives/rar/multivol5_missing/vol5.part01.rar", "vol5.part02.rar"},
        {"archives/rar/multivol4_missing/vol4.rar", "vol4.r00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        RarRig rig;
        rig.prompter.messageAnswers = {PromptAnswer::Ok, PromptAnswer::Cancel};
        std::string first = Fixtures() + c.first;
        EXPECT_EQ(rig.ExtractAll(first), std::vector<std::string>{"prose.txt"});
        std::string ask = "Next Volume is Required \r\n" +
                          (std::filesystem::path(first).parent_path() / c.missing).string();
        EXPECT_EQ(rig.prompter.MessageTexts(),
                  (std::vector<std::string>{ask, ask, "Volume open error\r\nlarge.txt"}));
        EXPECT_EQ(rig.prompter.messages[0].buttons, PromptButtons::OkCancel);
        EXPECT_EQ(rig.prompter.messages[0].icon, PromptIcon::Warning);
        EXPECT_TRUE(std::filesystem::is_empty(rig.scratch.Path()));
    }
}

TEST(ZEBRar, WhatIsNoRarArchiveGivesNothingAndSaysNothing)
{
    ZEB_REQUIRE_FIXTURE(text, "archives/zip/notazip.zip");
    RarRig rig;
    EXPECT_TRUE(rig.ExtractAll(text).empty());
    EXPECT_TRUE(rig.ExtractAll(rig.scratch.File("missing.rar")).empty());
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(ZEBRar, ErrorTextsFollowTheLibraryCodes)
{
    std::map<int, std::string> texts = {
        {12, "File CRC error"}, {13, "Volume is not valid RAR archive"},
        {14, "Unknown archive format"}, {15, "Volume open error"}, {16, "File create error"},
        {17, "File close error"}, {18, "Read error"}, {19, "Write error"},
        {11, "Unknown Error"}, {24, "Unknown Error"},
    };
    for (const auto& [code, text] : texts)
        EXPECT_EQ(ZEBRar::ErrorText(code), text) << code;
}
