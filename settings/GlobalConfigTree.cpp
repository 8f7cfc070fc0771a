#include "settings/GlobalConfigTree.h"

#include "storage/BookOptions.h"

namespace zeb {

namespace {

// The items of the settings file; 0x107 and 0x108 are the book's own per-book settings,
// OptTextFormatting and OptFontWidth, under the same ids.
enum : uint16_t {
    ItemImportCodePage = 3,
    ItemLastBookFile = 6,
    ItemWindowMode = 0x20,
    ItemWindowLeft = 0x21,
    ItemWindowTop = 0x22,
    ItemWindowWidth = 0x23,
    ItemWindowHeight = 0x24,
    ItemLinesPerSecond = 0x100,
    ItemCharsPerSecond = 0x101,
    ItemSpeedMode = 0x102,
    ItemAntialiasing = 0x103,
    ItemColorResolution = 0x104,
    ItemScrollMode = 0x105,
    ItemTextMovement = 0x106,
    ItemProportionalProfile = 0x200,
    ItemFixedProfile = 0x300,
};

// Profile items: the profile's base id plus these.
enum : uint16_t {
    ProfileFontName = 0,
    ProfilePageMargins = 1,
    ProfileLineInterval = 2,
    ProfileBackColor = 3,
    ProfileFontColor = 4,
    ProfileFontSize = 5,
    ProfileBold = 7,
    ProfileItalic = 8,
    ProfileUnderline = 9,
    ProfileStrikeOut = 0x10,
};

// The one list of items, in file order, walked by the writer and the reader alike. Config is
// const for the writer.
template <class Visitor, class Profile>
void VisitProfile(Visitor& v, uint16_t base, Profile& p)
{
    v.String(base + ProfileFontName, p.FontName);
    v.Integer(base + ProfilePageMargins, p.PageMargins, PageMarginsRange);
    v.Integer(base + ProfileLineInterval, p.LineInterval, LineIntervalRange);
    v.Unsigned(base + ProfileBackColor, p.BackColor);
    v.Unsigned(base + ProfileFontColor, p.FontColor);
    v.Integer(base + ProfileFontSize, p.FontSize, FontSizeRange);
    v.Flag(base + ProfileBold, p.Bold);
    v.Flag(base + ProfileItalic, p.Italic);
    v.Flag(base + ProfileUnderline, p.Underline);
    v.Flag(base + ProfileStrikeOut, p.StrikeOut);
}

template <class Visitor, class Config>
void VisitItems(Visitor& v, Config& c)
{
    auto& s = c.Settings;
    v.Flag(OptFontWidth, s.FontWidth);
    VisitProfile(v, ItemProportionalProfile, s.Profiles[ProportionalProfile]);
    VisitProfile(v, ItemFixedProfile, s.Profiles[FixedProfile]);
    v.Integer(ItemLinesPerSecond, s.LinesPerSecond, SpeedRange);
    v.Integer(ItemCharsPerSecond, s.CharsPerSecond, SpeedRange);
    v.Flag(ItemSpeedMode, s.SpeedMode);
    v.LowByte(ItemAntialiasing, s.Antialiasing, AntialiasingMax);
    v.Flag(ItemColorResolution, s.ColorResolution);
    v.Flag(ItemScrollMode, s.ScrollMode);
    v.Flag(ItemTextMovement, s.TextMovement);
    v.LowByte(OptTextFormatting, s.TextFormatting, FormattingOriginal);
    v.Unsigned(ItemImportCodePage, c.ImportCodePage);
    v.OptionalString(ItemLastBookFile, c.LastBookFile);
    v.Placement(ItemWindowMode, c.Window.WindowMode, nullptr);
    v.Placement(ItemWindowLeft, c.Window.Left, nullptr);
    v.Placement(ItemWindowTop, c.Window.Top, nullptr);
    v.Placement(ItemWindowWidth, c.Window.Width, &ScreenSize::Width);
    v.Placement(ItemWindowHeight, c.Window.Height, &ScreenSize::Height);
}

class TreeWriter {
public:
    void Flag(uint16_t id, bool value) { tree.SetByte(id, value ? 1 : 0); }
    void Integer(uint16_t id, int32_t value, SettingRange) { tree.SetInteger(id, uint32_t(value)); }
    void Unsigned(uint16_t id, uint32_t value) { tree.SetInteger(id, value); }
    void LowByte(uint16_t id, uint8_t value, uint8_t) { tree.SetInteger(id, value); }
    void String(uint16_t id, const std::string& value) { tree.SetString(id, value); }
    void OptionalString(uint16_t id, const std::string& value)
    {
        if (!value.empty())
            tree.SetString(id, value);
    }
    void Placement(uint16_t id, int32_t value, int32_t ScreenSize::*)
    {
        tree.SetInteger(id, uint32_t(value));
    }

    ZEBFileOptions tree;
};

class TreeReader {
public:
    TreeReader(const ZEBFileOptions& tree, ScreenSize screen) : tree_(tree), screen_(screen) {}

    void Flag(uint16_t id, bool& field)
    {
        if (const ZEBFileOptionsItem* item = tree_.Find(id))
            field = item->GetByte() != 0;
    }
    void Integer(uint16_t id, int32_t& field, SettingRange range)
    {
        if (const ZEBFileOptionsItem* item = tree_.Find(id)) {
            int32_t value = int32_t(item->GetInteger());
            if (range.Contains(value))
                field = value;
        }
    }
    void Unsigned(uint16_t id, uint32_t& field)
    {
        if (const ZEBFileOptionsItem* item = tree_.Find(id))
            field = item->GetInteger();
    }
    void LowByte(uint16_t id, uint8_t& field, uint8_t max)
    {
        if (const ZEBFileOptionsItem* item = tree_.Find(id)) {
            uint8_t value = uint8_t(item->GetInteger());
            if (value <= max)
                field = value;
        }
    }
    void String(uint16_t id, std::string& field)
    {
        if (const ZEBFileOptionsItem* item = tree_.Find(id))
            field = item->GetString();
    }
    void OptionalString(uint16_t id, std::string& field) { field = tree_.GetString(id, ""); }
    void Placement(uint16_t id, int32_t& field, int32_t ScreenSize::*whenMissing)
    {
        int32_t fallback = whenMissing ? screen_.*whenMissing : 0;
        field = int32_t(tree_.GetInteger(id, uint32_t(fallback)));
    }

private:
    const ZEBFileOptions& tree_;
    ScreenSize screen_;
};

}  // namespace

ZEBFileOptions BuildGlobalConfigTree(const GlobalConfig& config)
{
    TreeWriter writer;
    VisitItems(writer, config);
    return std::move(writer.tree);
}

void ReadGlobalConfigTree(const ZEBFileOptions& tree, ScreenSize screen, GlobalConfig& config)
{
    TreeReader reader(tree, screen);
    VisitItems(reader, config);
}

}  // namespace zeb
