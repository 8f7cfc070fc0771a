#include "settings/ReaderSettings.h"

namespace zeb {

namespace {

constexpr ColorRef PageColor = 0xA4BBB8;

FontProfile ProfileOf(const char* name, int32_t margins, int32_t interval, ColorRef fontColor,
                      int32_t size)
{
    FontProfile p;
    p.FontName = name;
    p.PageMargins = margins;
    p.LineInterval = interval;
    p.BackColor = PageColor;
    p.FontColor = fontColor;
    p.FontSize = size;
    return p;
}

}  // namespace

ReaderSettings InitialReaderSettings()
{
    ReaderSettings s;
    s.Profiles[ProportionalProfile] = ProfileOf("Comic Sans MS", 5, 4, 0x533F00, 26);
    s.Profiles[FixedProfile] = ProfileOf("Lucida Console", 15, 3, 0x4A3800, 12);
    s.LinesPerSecond = 50;
    s.CharsPerSecond = 30;
    s.SpeedMode = true;
    s.Antialiasing = AntialiasingNone;
    s.ColorResolution = false;
    s.ScrollMode = true;
    s.TextMovement = true;
    s.TextFormatting = FormattingFullHyphen;
    s.FontWidth = true;
    return s;
}

ReaderSettings DefaultReaderSettings()
{
    ReaderSettings s = InitialReaderSettings();
    s.Profiles[ProportionalProfile].FontSize = 25;
    for (FontProfile& p : s.Profiles)
        p.Charset = 1;
    return s;
}

}  // namespace zeb
