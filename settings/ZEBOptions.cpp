#include "settings/ZEBOptions.h"

namespace zeb {

void ZEBOptions::SetFontName(FontProfileIndex which, const std::string& value)
{
    settings_.Profiles[which].FontName = value;
    ProfileLookChanged(which);
}

void ZEBOptions::SetPageMargins(FontProfileIndex which, int32_t value)
{
    settings_.Profiles[which].PageMargins = value;
    Notify({SettingsChanged, LayoutChanged});
}

void ZEBOptions::SetLineInterval(FontProfileIndex which, int32_t value)
{
    settings_.Profiles[which].LineInterval = value;
    Notify({SettingsChanged, LayoutChanged});
}

void ZEBOptions::SetBackColor(FontProfileIndex which, ColorRef value)
{
    settings_.Profiles[which].BackColor = value;
    ProfileLookChanged(which);
}

void ZEBOptions::SetFontColor(FontProfileIndex which, ColorRef value)
{
    settings_.Profiles[which].FontColor = value;
    ProfileLookChanged(which);
}

void ZEBOptions::SetFontSize(FontProfileIndex which, int32_t value)
{
    settings_.Profiles[which].FontSize = value;
    ProfileLookChanged(which);
}

void ZEBOptions::SetCharset(FontProfileIndex which, uint8_t value)
{
    settings_.Profiles[which].Charset = value;
    ProfileLookChanged(which);
}

void ZEBOptions::SetBold(FontProfileIndex which, bool value)
{
    settings_.Profiles[which].Bold = value;
    ProfileLookChanged(which);
}

void ZEBOptions::SetItalic(FontProfileIndex which, bool value)
{
    settings_.Profiles[which].Italic = value;
    ProfileLookChanged(which);
}

void ZEBOptions::SetUnderline(FontProfileIndex which, bool value)
{
    settings_.Profiles[which].Underline = value;
    ProfileLookChanged(which);
}

void ZEBOptions::SetStrikeOut(FontProfileIndex which, bool value)
{
    settings_.Profiles[which].StrikeOut = value;
    ProfileLookChanged(which);
}

void ZEBOptions::SetLinesPerSecond(int32_t value)
{
    settings_.LinesPerSecond = value;
    Notify({SettingsChanged});
}

void ZEBOptions::SetCharsPerSecond(int32_t value)
{
    settings_.CharsPerSecond = value;
    Notify({SettingsChanged});
}

void ZEBOptions::SetSpeedMode(bool value)
{
    settings_.SpeedMode = value;
    Notify({SettingsChanged});
}

void ZEBOptions::SetAntialiasing(uint8_t value)
{
    // Both samples are drawn supersampled, so both profiles' pictures change.
    settings_.Antialiasing = value;
    Notify({SettingsChanged, ProportionalLookChanged, FixedLookChanged, LayoutChanged});
}

void ZEBOptions::SetColorResolution(bool value)
{
    settings_.ColorResolution = value;
    Notify({SettingsChanged, LayoutChanged});
}

void ZEBOptions::SetScrollMode(bool value)
{
    settings_.ScrollMode = value;
    Notify({SettingsChanged});
}

void ZEBOptions::SetTextMovement(bool value)
{
    settings_.TextMovement = value;
    Notify({SettingsChanged});
}

void ZEBOptions::SetTextFormatting(uint8_t value)
{
    settings_.TextFormatting = value;
    Notify({SettingsChanged, LayoutChanged});
}

void ZEBOptions::SetFontWidth(bool value)
{
    settings_.FontWidth = value;
    Notify({SettingsChanged, LayoutChanged});
}

void ZEBOptions::SetAutoScrollActive(bool value)
{
    settings_.AutoScrollActive = value;
    Notify({SettingsChanged});
}

void ZEBOptions::ProfileLookChanged(FontProfileIndex which)
{
    bool active = (which == ProportionalProfile) == settings_.FontWidth;
    ChangeEvent look = which == ProportionalProfile ? ProportionalLookChanged : FixedLookChanged;
    if (active)
        Notify({look, SettingsChanged, LayoutChanged});
    else
        Notify({look});
}

void ZEBOptions::Notify(std::initializer_list<ChangeEvent> events)
{
    for (ChangeEvent e : events)
        changed_[e] = true;
    if (updateLock_ == 0)
        Fire();
}

void ZEBOptions::EndUpdate()
{
    if (updateLock_ > 0)
        --updateLock_;
    if (updateLock_ == 0)
        Fire();
}

void ZEBOptions::Fire()
{
    // A handler may change settings itself; those changes fire from inside it as usual.
    for (int e = 0; e < ChangeEventCount; ++e) {
        if (!changed_[e])
            continue;
        changed_[e] = false;
        if (handlers_[e])
            handlers_[e]();
    }
}

}  // namespace zeb
