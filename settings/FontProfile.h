#pragma once

#include <cstdint>
#include <string>

namespace zeb {

// Which of the two font profiles a setting belongs to; the values index ReaderSettings::Profiles.
enum FontProfileIndex : int {
    ProportionalProfile = 0,
    FixedProfile = 1,
};

// Colours are COLORREF values, 0x00BBGGRR.
using ColorRef = uint32_t;

// The look of the page with one font kind.
struct FontProfile {
    std::string FontName;
    int32_t PageMargins = 0;   // left and right, pixels
    int32_t LineInterval = 0;  // extra pixels added to the line height
    ColorRef BackColor = 0;
    ColorRef FontColor = 0;
    int32_t FontSize = 0;      // points
    uint8_t Charset = 0;       // never saved
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    bool operator==(const FontProfile&) const = default;
};

}  // namespace zeb
