#pragma once

#include <array>
#include <cstdint>

#include "settings/FontProfile.h"

namespace zeb {

// TextFormatting values.
constexpr uint8_t FormattingFull = 0;
constexpr uint8_t FormattingFullHyphen = 1;
constexpr uint8_t FormattingOriginal = 2;

// Antialiasing values: "None" up to "4x4 (16 samples)".
constexpr uint8_t AntialiasingNone = 0;
constexpr uint8_t AntialiasingMax = 3;

// The ranges the program's own controls keep the settings in.
struct SettingRange {
    int32_t Min;
    int32_t Max;
    bool Contains(int32_t v) const { return v >= Min && v <= Max; }
};
constexpr SettingRange SpeedRange{1, 500};       // LinesPerSecond, CharsPerSecond
constexpr SettingRange PageMarginsRange{0, 100};
constexpr SettingRange LineIntervalRange{0, 100};
constexpr SettingRange FontSizeRange{8, 92};

inline bool IsValidTextFormatting(uint32_t v) { return v <= FormattingOriginal; }

// Every display and scrolling setting of the reader.
struct ReaderSettings {
    std::array<FontProfile, 2> Profiles;  // indexed by FontProfileIndex
    int32_t LinesPerSecond = 0;
    int32_t CharsPerSecond = 0;
    bool SpeedMode = false;        // true "Constant", false "Variable"
    uint8_t Antialiasing = 0;
    bool ColorResolution = false;  // true "True Color", false "Indexed Color"
    bool ScrollMode = false;       // true "Hardware", false "Software"
    bool TextMovement = false;     // true "Scroll", false "Jump"
    uint8_t TextFormatting = 0;
    bool FontWidth = false;        // true "Proportional", false "Fixed Width"
    bool AutoScrollActive = false; // run time only

    bool operator==(const ReaderSettings&) const = default;
};

// The values at the first start, before any settings file was written.
ReaderSettings InitialReaderSettings();
// The values the "Default" button sets; they differ from the initial ones in the proportional
// font size and in Charset.
ReaderSettings DefaultReaderSettings();

}  // namespace zeb
