#include "settings/ApplySettings.h"

#include "storage/BookOptions.h"

namespace zeb {

namespace {

void SetProfile(ZEBOptions& options, FontProfileIndex which, const FontProfile& p,
                bool withCharset)
{
    options.SetFontName(which, p.FontName);
    options.SetPageMargins(which, p.PageMargins);
    options.SetLineInterval(which, p.LineInterval);
    options.SetBackColor(which, p.BackColor);
    options.SetFontColor(which, p.FontColor);
    options.SetFontSize(which, p.FontSize);
    if (withCharset)
        options.SetCharset(which, p.Charset);
    options.SetBold(which, p.Bold);
    options.SetItalic(which, p.Italic);
    options.SetUnderline(which, p.Underline);
    options.SetStrikeOut(which, p.StrikeOut);
}

// Both profiles, then LinesPerSecond .. TextMovement.
void SetProfilesAndScrolling(ZEBOptions& options, const ReaderSettings& s, bool withCharset)
{
    SetProfile(options, ProportionalProfile, s.Profiles[ProportionalProfile], withCharset);
    SetProfile(options, FixedProfile, s.Profiles[FixedProfile], withCharset);
    options.SetLinesPerSecond(s.LinesPerSecond);
    options.SetCharsPerSecond(s.CharsPerSecond);
    options.SetSpeedMode(s.SpeedMode);
    options.SetAntialiasing(s.Antialiasing);
    options.SetColorResolution(s.ColorResolution);
    options.SetScrollMode(s.ScrollMode);
    options.SetTextMovement(s.TextMovement);
}

bool BookFontWidth(const ZEBFileOptions* book, bool stored)
{
    return book ? book->GetByte(OptFontWidth, stored ? 1 : 0) != 0 : stored;
}

// A value outside the three modes is not the book's own choice; the stored one serves.
uint8_t BookTextFormatting(const ZEBFileOptions* book, uint8_t stored)
{
    uint32_t value = book ? book->GetInteger(OptTextFormatting, stored) : stored;
    return IsValidTextFormatting(value) ? uint8_t(value) : stored;
}

BookSource SourceOf(const ZEBFileOptions* book)
{
    if (!book)
        return {};
    return {book->GetWideString(OptSourceName, u""), book->GetInteger(OptSourceSize, 0)};
}

}  // namespace

BookSource ApplySettings(ZEBOptions& options, const ReaderSettings& stored, bool all,
                         const ZEBFileOptions* book)
{
    options.BeginUpdate();
    options.SetAutoScrollActive(false);
    options.SetFontWidth(BookFontWidth(book, stored.FontWidth));
    if (all)
        SetProfilesAndScrolling(options, stored, false);
    options.SetTextFormatting(BookTextFormatting(book, stored.TextFormatting));
    BookSource source = SourceOf(book);
    options.EndUpdate();
    return source;
}

void ApplyDefaultSettings(ZEBOptions& options)
{
    ReaderSettings defaults = DefaultReaderSettings();
    options.BeginUpdate();
    options.SetFontWidth(defaults.FontWidth);
    SetProfilesAndScrolling(options, defaults, true);
    options.SetTextFormatting(defaults.TextFormatting);
    options.EndUpdate();
}

}  // namespace zeb
