#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "settings/GlobalConfigFile.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBFileOptions.h"
#include "storage/ZEBIOFailure.h"
#include "support/TempDir.h"

namespace zeb {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Bytes = std::vector<uint8_t>;

constexpr ScreenSize Screen{1024, 768};

GlobalConfig EveryFieldChanged()
{
    GlobalConfig c = InitialGlobalConfig(1252);
    ReaderSettings& s = c.Settings;
    s.Profiles[ProportionalProfile] = {"DejaVu Sans", 12, 7, 0x010203, 0xFFFFFF, 92, 0,
                                       true, false, true, false};
    s.Profiles[FixedProfile] = {"DejaVu Sans Mono", 100, 100, 0x00FF00, 0x0000FF, 8, 0,
                                false, true, false, true};
    s.LinesPerSecond = 500;
    s.CharsPerSecond = 1;
    s.SpeedMode = false;
    s.Antialiasing = 3;
    s.ColorResolution = true;
    s.ScrollMode = false;
    s.TextMovement = false;
    s.TextFormatting = FormattingOriginal;
    s.FontWidth = false;
    c.Window = {WindowNormal, -8, 70000, 1920, 1080};
    c.ImportCodePage = 65001;
    c.LastBookFile = "/home/reader/Books/00000001.book";
    return c;
}

// Every field that may be 0 is 0; speeds and font sizes keep their initial values.
GlobalConfig Zeros()
{
    GlobalConfig c = InitialGlobalConfig(0);
    ReaderSettings& s = c.Settings;
    for (FontProfile& p : s.Profiles) {
        int32_t size = p.FontSize;
        p = FontProfile{};
        p.FontSize = size;
    }
    s.SpeedMode = false;
    s.Antialiasing = 0;
    s.ColorResolution = false;
    s.ScrollMode = false;
    s.TextMovement = false;
    s.TextFormatting = FormattingFull;
    s.FontWidth = false;
    c.Window = {0, 0, 0, 0, 0};
    return c;
}

void WriteSigned(const std::string& path, const Bytes& bytes)
{
    ZEBFile file;
    std::filesystem::remove(path);
    file.Open(path, FileAccess::CreateNew, 16, 1);
    if (!bytes.empty())
        file.Write(0, bytes.data(), int32_t(bytes.size()));
    file.Sign(0, int32_t(bytes.size()));
    file.Close();
}

void WriteSignedTree(const std::string& path, const ZEBFileOptions& tree)
{
    ZEBFile file;
    std::filesystem::remove(path);
    file.Open(path, FileAccess::CreateNew, 16, 1);
    file.Sign(0, tree.Save(file, 0));
    file.Close();
}

std::vector<uint16_t> ItemIds(const std::string& path)
{
    ZEBFile file;
    file.Open(path, FileAccess::Read, 16, 1);
    ZEBFileOptions tree;
    tree.Load(file, 0);
    std::vector<uint16_t> ids;
    for (const auto& child : tree.Root()->Children())
        ids.push_back(child->Id());
    return ids;
}

bool Contains(const Bytes& haystack, const Bytes& needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
           haystack.end();
}

TEST(GlobalConfigFileTest, EveryFieldAndEveryZeroSurvivesARoundTrip)
{
    TempDir dir;
    std::string path = GlobalConfigPath(dir.Path().string());
    struct Case {
        const char* name;
        GlobalConfig saved;
        GlobalConfig before;
    };
    for (const Case& c : {Case{"every field", EveryFieldChanged(), InitialGlobalConfig(1251)},
                          Case{"zeros", Zeros(), EveryFieldChanged()}}) {
        SCOPED_TRACE(c.name);
        SaveGlobalConfig(path, c.saved);
        GlobalConfig loaded = c.before;

        EXPECT_TRUE(LoadGlobalConfig(path, Screen, loaded));

        EXPECT_EQ(loaded, c.saved);
        EXPECT_FALSE(std::filesystem::exists(path + ".new"));
    }
}

TEST(GlobalConfigFileTest, ItemsAreWrittenInTheirFixedOrderAndEncoding)
{
    TempDir dir;
    std::string path = dir.File("Global.cfg");
    GlobalConfig config = InitialGlobalConfig(1251);
    config.Window = {WindowNormal, -5, 0, 800, 600};

    SaveGlobalConfig(path, config);

    Bytes bytes = ReadBytes(path);
    Bytes start = {0x00, 0x00, 0x00, 0x00,              // root
                   0x08, 0x01, 0x01, 0x00, 0x01, 0xFF, 0xFF,  // "Proportional"
                   0x00, 0x02, 0x0D, 0x00, 'C', 'o', 'm', 'i', 'c', ' ', 'S', 'a', 'n', 's', ' ',
                   'M', 'S', 0xFF, 0xFF,
                   0x01, 0x02, 0x01, 0x00, 0x05, 0xFF, 0xFF};  // margins 5
    ASSERT_GT(bytes.size(), start.size() + 18);
    EXPECT_TRUE(std::equal(start.begin(), start.end(), bytes.begin()));
    EXPECT_TRUE(Contains(bytes, {0x21, 0x00, 0x04, 0x00, 0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_TRUE(Contains(bytes, {0x22, 0x00, 0x00, 0x00, 0xFF, 0xFF}));
    EXPECT_TRUE(Contains(bytes, {0x03, 0x00, 0x02, 0x00, 0xE3, 0x04, 0xFF, 0xFF}));
    // The root's end mark, then the signature.
    EXPECT_EQ(bytes[bytes.size() - 18], 0xFF);
    EXPECT_EQ(bytes[bytes.size() - 17], 0xFF);

    std::vector<uint16_t> order = {0x108, 0x200, 0x201, 0x202, 0x203, 0x204, 0x205, 0x207,
                                   0x208, 0x209, 0x210, 0x300, 0x301, 0x302, 0x303, 0x304,
                                   0x305, 0x307, 0x308, 0x309, 0x310, 0x100, 0x101, 0x102,
                                   0x103, 0x104, 0x105, 0x106, 0x107, 3,     0x20,  0x21,
                                   0x22,  0x23,  0x24};
    EXPECT_EQ(ItemIds(path), order);

    config.LastBookFile = "/b/00000001.book";
    SaveGlobalConfig(path, config);
    order.insert(std::find(order.begin(), order.end(), 0x20), 6);
    EXPECT_EQ(ItemIds(path), order);
}

TEST(GlobalConfigFileTest, AnyChangedByteMakesTheWholeFileIgnored)
{
    TempDir dir;
    std::string path = dir.File("Global.cfg");
    SaveGlobalConfig(path, EveryFieldChanged());
    const Bytes good = ReadBytes(path);
    const GlobalConfig initial = InitialGlobalConfig(1251);

    for (size_t i = 0; i < good.size(); ++i) {
        Bytes bad = good;
        bad[i] ^= 0x20;
        WriteBytes(path, bad);
        GlobalConfig config = initial;
        ASSERT_FALSE(LoadGlobalConfig(path, Screen, config)) << "byte " << i;
        ASSERT_EQ(config, initial) << "byte " << i;
    }
}

TEST(GlobalConfigFileTest, UnusableFilesAreIgnored)
{
    TempDir dir;
    std::string path = dir.File("Global.cfg");
    SaveGlobalConfig(path, EveryFieldChanged());
    const Bytes good = ReadBytes(path);
    const GlobalConfig initial = InitialGlobalConfig(1251);

    struct Case {
        const char* name;
        std::function<void()> make;
    };
    const Case cases[] = {
        {"missing", [&] { std::filesystem::remove(path); }},
        {"empty", [&] { WriteBytes(path, {}); }},
        {"shorter than a signature", [&] { WriteBytes(path, Bytes(good.end() - 15, good.end())); }},
        {"one byte cut off", [&] { WriteBytes(path, Bytes(good.begin(), good.end() - 1)); }},
        {"a folder", [&] { std::filesystem::create_directory(path); }},
        {"signed, tree runs past the end",
         [&] { WriteSigned(path, {0, 0, 0, 0, 0x00, 0x01, 0x01, 0x00, 0x0A, 0xFF, 0xFF,
                                  0x03, 0x01, 0x10, 0x00, 0x01}); }},
        {"signed, end marks missing",
         [&] { WriteSigned(path, {0, 0, 0, 0, 0x00, 0x01, 0x01, 0x00, 0x0A}); }},
        {"signed, over the size limit",
         [&] {
             ZEBFileOptions tree;
             tree.SetInteger(0x100, 99);
             Bytes filler(0xFFFF, 'x');
             for (uint16_t id = 0x1000; id < 0x1011; ++id)
                 tree.FindOrCreate(id).SetValue(filler.data(), filler.size());
             WriteSignedTree(path, tree);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(path);
        c.make();
        GlobalConfig config = initial;

        EXPECT_FALSE(LoadGlobalConfig(path, Screen, config));

        EXPECT_EQ(config, initial);
    }
}

TEST(GlobalConfigFileTest, MissingItemsKeepTheirValuesExceptLastBookAndPlacement)
{
    TempDir dir;
    std::string path = dir.File("Global.cfg");
    GlobalConfig expected = EveryFieldChanged();
    expected.LastBookFile = "";
    expected.Window = {WindowFullScreen, 0, 0, Screen.Width, Screen.Height};

    struct Case {
        const char* name;
        std::function<void()> make;
    };
    const Case cases[] = {
        {"empty tree", [&] { WriteSigned(path, {0xFF, 0xFF}); }},
        {"unknown items only",
         [&] {
             ZEBFileOptions tree;
             tree.SetString(0x999, "unknown");
             tree.FindOrCreate(0x998).AppendChild(0x100).SetInteger(7);
             WriteSignedTree(path, tree);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.make();
        GlobalConfig config = EveryFieldChanged();

        EXPECT_TRUE(LoadGlobalConfig(path, Screen, config));

        EXPECT_EQ(config, expected);
    }
}

TEST(GlobalConfigFileTest, StoredValuesAreReadByTheirEncodingAndOutOfRangeOnesIgnored)
{
    TempDir dir;
    std::string path = dir.File("Global.cfg");
    struct Case {
        uint16_t id;
        Bytes value;
        std::function<void(GlobalConfig&)> expectChange;
    };
    const Case cases[] = {
        {0x100, {0x2C, 0x01, 0x00, 0x00, 0x55, 0x66},
         [](GlobalConfig& c) { c.Settings.LinesPerSecond = 300; }},
        {0x21, {0xFB, 0xFF, 0xFF, 0xFF, 0x12}, [](GlobalConfig& c) { c.Window.Left = -5; }},
        {0x103, {0x02, 0x01}, [](GlobalConfig& c) { c.Settings.Antialiasing = 2; }},
        {0x107, {0x00, 0x03}, [](GlobalConfig& c) { c.Settings.TextFormatting = 0; }},
        {0x104, {0x02}, [](GlobalConfig& c) { c.Settings.ColorResolution = true; }},
        {0x105, {0x00, 0x01}, [](GlobalConfig& c) { c.Settings.ScrollMode = false; }},
        {0x200, {}, [](GlobalConfig& c) { c.Settings.Profiles[0].FontName = ""; }},
        {0x103, {0x04}, nullptr},
        {0x107, {0x03}, nullptr},
        {0x100, {0xF5, 0x01}, nullptr},
        {0x101, {}, nullptr},
        {0x201, {0xFF, 0xFF, 0xFF, 0xFF}, nullptr},
        {0x302, {0x65}, nullptr},
        {0x205, {0x5D}, nullptr},
        {0x305, {0x07}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "item " << std::hex << c.id << " of "
                                        << c.value.size() << " bytes");
        ZEBFileOptions tree;
        tree.FindOrCreate(c.id).SetValue(c.value.data(), c.value.size());
        WriteSignedTree(path, tree);
        GlobalConfig config = InitialGlobalConfig(1251);
        GlobalConfig expected = config;
        expected.Window = {WindowFullScreen, 0, 0, Screen.Width, Screen.Height};
        if (c.expectChange)
            c.expectChange(expected);

        EXPECT_TRUE(LoadGlobalConfig(path, Screen, config));

        EXPECT_EQ(config, expected);
    }
}

TEST(GlobalConfigFileTest, FailedSaveLeavesTheOldFileWhole)
{
    TempDir dir;
    std::string path = dir.File("Global.cfg");
    SaveGlobalConfig(path, EveryFieldChanged());
    const Bytes old = ReadBytes(path);
    std::filesystem::create_directories(path + ".new/blocked");

    EXPECT_THROW(SaveGlobalConfig(path, InitialGlobalConfig(1251)), ZEBIOFailure);

    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_THROW(SaveGlobalConfig(dir.File("missing/Global.cfg"), InitialGlobalConfig(1251)),
                 ZEBIOFailure);
}

TEST(GlobalConfigFileTest, LinkLeftUnderTheTemporaryNameIsNotWrittenThrough)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "program");
    std::string path = GlobalConfigPath(dir.File("program"));
    std::string outside = dir.File("outside.txt");
    WriteBytes(outside, {'k', 'e', 'e', 'p'});
    std::filesystem::create_symlink(outside, path + ".new");

    SaveGlobalConfig(path, EveryFieldChanged());

    EXPECT_EQ(ReadBytes(outside), (Bytes{'k', 'e', 'e', 'p'}));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path + ".new")));
    GlobalConfig loaded = InitialGlobalConfig(1251);
    EXPECT_TRUE(LoadGlobalConfig(path, Screen, loaded));
    EXPECT_EQ(loaded, EveryFieldChanged());
}

}  // namespace
}  // namespace zeb
