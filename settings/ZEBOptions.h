#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "settings/ReaderSettings.h"

namespace zeb {

// The change events, in firing order.
enum ChangeEvent : int {
    SettingsChanged = 0,          // the options panel, the auto-scroll rate, the screen saver
    ProportionalLookChanged = 1,  // the proportional profile's sample and swatches
    FixedLookChanged = 2,         // the fixed-width profile's sample and swatches
    LayoutChanged = 3,            // the layout engine
};
constexpr int ChangeEventCount = 4;

// The live settings. Every change goes through a setter, which marks the events that must
// follow it and fires them at once, or, inside BeginUpdate / EndUpdate, once at the outermost
// EndUpdate.
class ZEBOptions {
public:
    using Handler = std::function<void()>;

    explicit ZEBOptions(const ReaderSettings& settings = InitialReaderSettings())
        : settings_(settings) {}
    ZEBOptions(const ZEBOptions&) = delete;
    ZEBOptions& operator=(const ZEBOptions&) = delete;

    const ReaderSettings& Settings() const { return settings_; }
    const FontProfile& Profile(FontProfileIndex which) const { return settings_.Profiles[which]; }

    // An empty handler is skipped when its event fires.
    void SetHandler(ChangeEvent event, Handler handler) { handlers_[event] = std::move(handler); }

    void SetFontName(FontProfileIndex which, const std::string& value);
    void SetPageMargins(FontProfileIndex which, int32_t value);
    void SetLineInterval(FontProfileIndex which, int32_t value);
    void SetBackColor(FontProfileIndex which, ColorRef value);
    void SetFontColor(FontProfileIndex which, ColorRef value);
    void SetFontSize(FontProfileIndex which, int32_t value);
    void SetCharset(FontProfileIndex which, uint8_t value);
    void SetBold(FontProfileIndex which, bool value);
    void SetItalic(FontProfileIndex which, bool value);
    void SetUnderline(FontProfileIndex which, bool value);
    void SetStrikeOut(FontProfileIndex which, bool value);

    void SetLinesPerSecond(int32_t value);
    void SetCharsPerSecond(int32_t value);
    void SetSpeedMode(bool value);
    void SetAntialiasing(uint8_t value);
    void SetColorResolution(bool value);
    void SetScrollMode(bool value);
    void SetTextMovement(bool value);
    void SetTextFormatting(uint8_t value);
    void SetFontWidth(bool value);
    void SetAutoScrollActive(bool value);

    // Marks events without a setting changing (the window switching to full screen, say) and
    // fires them unless an update is open.
    void Notify(std::initializer_list<ChangeEvent> events);

    void BeginUpdate() { ++updateLock_; }
    void EndUpdate();

    int32_t UpdateLock() const { return updateLock_; }
    bool IsMarked(ChangeEvent event) const { return changed_[event]; }

private:
    // A profile field other than margins and interval changes that profile's look, and the
    // page too when the profile is the active one.
    void ProfileLookChanged(FontProfileIndex which);
    void Fire();

    ReaderSettings settings_;
    std::array<bool, ChangeEventCount> changed_{};
    int32_t updateLock_ = 0;
    std::array<Handler, ChangeEventCount> handlers_;
};

}  // namespace zeb
