#pragma once

#include <array>

namespace zeb {

// The options panel's controls, in the order their places are kept.
enum PanelControl : int {
    SpeedControl,         // "Auto Scroll Speed"
    FormattingControl,    // "Text Formating"
    FontWidthControl,     // "Font Width"
    AntialiasingControl,  // "Antialiasing"
    ColorControl,         // "Color Resolution"
    ScrollModeControl,    // "Scroll Mode"
    MovementControl,      // "Text Movement"
    ProportionalControl,  // "Proportional Font"
    FixedControl,         // "Fixed Width Font"
    DefaultControl,       // "Default"
    AboutControl,         // "About"
    HelpControl,          // "?"
    PanelControlCount
};

struct PanelSize {
    int Width = 0;
    int Height = 0;
};

struct PanelRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const PanelRect&) const = default;
};

struct PanelLayout {
    std::array<PanelRect, PanelControlCount> Places;
    PanelSize Size;
};

// The designed places (pixels, relative to the panel) and the panel's designed size.
PanelLayout DesignedPanelLayout();

// The designed places, with every control at least as large as it needs (a caption in a
// larger font than the design's); where one grows, its column or row grows and the controls
// beyond it move on, so the arrangement stays and nothing overlaps.
PanelLayout ArrangePanel(const std::array<PanelSize, PanelControlCount>& needed);

}  // namespace zeb
