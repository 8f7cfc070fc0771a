#include <gtest/gtest.h>

#include "settings/GlobalConfig.h"
#include "settings/ReaderSettings.h"

namespace zeb {
namespace {

TEST(ReaderSettingsTest, InitialValues)
{
    ReaderSettings s = InitialReaderSettings();
    const FontProfile& p = s.Profiles[ProportionalProfile];
    const FontProfile& f = s.Profiles[FixedProfile];

    EXPECT_EQ(p.FontName, "Comic Sans MS");
    EXPECT_EQ(p.FontSize, 26);
    EXPECT_EQ(p.PageMargins, 5);
    EXPECT_EQ(p.LineInterval, 4);
    EXPECT_EQ(p.BackColor, 0xA4BBB8u);
    EXPECT_EQ(p.FontColor, 0x533F00u);
    EXPECT_EQ(f.FontName, "Lucida Console");
    EXPECT_EQ(f.FontSize, 12);
    EXPECT_EQ(f.PageMargins, 15);
    EXPECT_EQ(f.LineInterval, 3);
    EXPECT_EQ(f.BackColor, 0xA4BBB8u);
    EXPECT_EQ(f.FontColor, 0x4A3800u);
    for (const FontProfile& profile : s.Profiles) {
        EXPECT_EQ(profile.Charset, 0);
        EXPECT_FALSE(profile.Bold || profile.Italic || profile.Underline || profile.StrikeOut);
    }
    EXPECT_EQ(s.LinesPerSecond, 50);
    EXPECT_EQ(s.CharsPerSecond, 30);
    EXPECT_TRUE(s.SpeedMode);
    EXPECT_EQ(s.Antialiasing, AntialiasingNone);
    EXPECT_FALSE(s.ColorResolution);
    EXPECT_TRUE(s.ScrollMode);
    EXPECT_TRUE(s.TextMovement);
    EXPECT_EQ(s.TextFormatting, FormattingFullHyphen);
    EXPECT_TRUE(s.FontWidth);
    EXPECT_FALSE(s.AutoScrollActive);
}

TEST(ReaderSettingsTest, DefaultDiffersOnlyInProportionalSizeAndCharsets)
{
    ReaderSettings expected = InitialReaderSettings();
    expected.Profiles[ProportionalProfile].FontSize = 25;
    expected.Profiles[ProportionalProfile].Charset = 1;
    expected.Profiles[FixedProfile].Charset = 1;

    EXPECT_EQ(DefaultReaderSettings(), expected);
}

TEST(ReaderSettingsTest, WithoutSettingsFileTheWindowIsFullScreenAndNoBookIsRemembered)
{
    GlobalConfig config = InitialGlobalConfig(1251);

    EXPECT_EQ(config.Settings, InitialReaderSettings());
    EXPECT_EQ(config.Window, (StoredWindowState{WindowFullScreen, 0, 0, 640, 480}));
    EXPECT_EQ(config.ImportCodePage, 1251u);
    EXPECT_EQ(config.LastBookFile, "");
}

}  // namespace
}  // namespace zeb
