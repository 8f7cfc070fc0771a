#include "app/OptionsPanelLayout.h"

#include <algorithm>

namespace zeb {

namespace {

constexpr std::array<PanelSize, PanelControlCount> DesignedSizes = {{
    {220, 66},  // SpeedControl
    {91, 66},   // FormattingControl
    {91, 50},   // FontWidthControl
    {115, 75},  // AntialiasingControl
    {100, 50},  // ColorControl
    {100, 50},  // ScrollModeControl
    {91, 50},   // MovementControl
    {105, 165}, // ProportionalControl
    {105, 165}, // FixedControl
    {45, 20},   // DefaultControl
    {45, 20},   // AboutControl
    {15, 20},   // HelpControl
}};

constexpr int LeftEdge = 4, RightEdge = 3, BottomEdge = 3;
constexpr int ColumnGap = 5;
constexpr int ButtonsGap = 4;  // between "Antialiasing" and the buttons below it

}  // namespace

PanelLayout DesignedPanelLayout()
{
    return ArrangePanel({});
}

PanelLayout ArrangePanel(const std::array<PanelSize, PanelControlCount>& needed)
{
    std::array<PanelSize, PanelControlCount> g;
    for (int c = 0; c < PanelControlCount; ++c)
        g[c] = {std::max(DesignedSizes[c].Width, needed[c].Width),
                std::max(DesignedSizes[c].Height, needed[c].Height)};

    // Columns: antialiasing and the buttons; colour and scroll mode (with the speed group
    // over both); the three narrow groups; the two font profiles.
    const int buttonsWidth = g[DefaultControl].Width + ColumnGap + g[AboutControl].Width +
                             ColumnGap + g[HelpControl].Width;
    const int w0 = std::max(g[AntialiasingControl].Width, buttonsWidth);
    const int w1 = std::max({g[ColorControl].Width, g[ScrollModeControl].Width,
                             g[SpeedControl].Width - w0 - ColumnGap});
    const int w2 = std::max({g[FormattingControl].Width, g[FontWidthControl].Width,
                             g[MovementControl].Width});
    const int w3 = std::max(g[ProportionalControl].Width, g[FixedControl].Width);
    const int x0 = LeftEdge, x1 = x0 + w0 + ColumnGap, x2 = x1 + w1 + ColumnGap;
    const int x3 = x2 + w2 + ColumnGap, x4 = x3 + w3 + ColumnGap;

    // Rows: the speed and formatting groups; then two rows of the small groups beside
    // antialiasing with the buttons under it.
    const int h0 = std::max(g[SpeedControl].Height, g[FormattingControl].Height);
    const int h1 = std::max(g[ColorControl].Height, g[FontWidthControl].Height);
    const int h2 = std::max(g[ScrollModeControl].Height, g[MovementControl].Height);
    const int ha = g[AntialiasingControl].Height;
    const int hb = std::max({g[DefaultControl].Height, g[AboutControl].Height, g[HelpControl].Height});
    const int yb = h0 + ha + ButtonsGap;
    const int hp = std::max({g[ProportionalControl].Height, g[FixedControl].Height, yb + hb});

    PanelLayout layout;
    auto& p = layout.Places;
    p[SpeedControl] = {x0, 0, w0 + ColumnGap + w1, h0};
    p[FormattingControl] = {x2, 0, w2, h0};
    p[AntialiasingControl] = {x0, h0, w0, ha};
    p[ColorControl] = {x1, h0, w1, h1};
    p[FontWidthControl] = {x2, h0, w2, h1};
    p[ScrollModeControl] = {x1, h0 + h1, w1, h2};
    p[MovementControl] = {x2, h0 + h1, w2, h2};
    p[ProportionalControl] = {x3, 0, w3, hp};
    p[FixedControl] = {x4, 0, w3, hp};
    p[DefaultControl] = {x0, yb, g[DefaultControl].Width, hb};
    p[AboutControl] = {p[DefaultControl].X + p[DefaultControl].Width + ColumnGap, yb,
                       g[AboutControl].Width, hb};
    p[HelpControl] = {p[AboutControl].X + p[AboutControl].Width + ColumnGap, yb,
                      g[HelpControl].Width, hb};
    layout.Size = {x4 + w3 + RightEdge, std::max({hp, yb + hb, h0 + h1 + h2}) + BottomEdge};
    return layout;
}

}  // namespace zeb
