#pragma once

#include <cstdint>

namespace zeb {

// Rows of the view, top inclusive, bottom exclusive.
struct ViewRows {
    int32_t Top = 0;
    int32_t Bottom = 0;
};

// What moving the text needs of the reader view on screen.
class ZEBViewSurface {
public:
    virtual ~ZEBViewSurface() = default;

    // Shifts the pixels on screen by dy (down when positive) and paints the uncovered strip at
    // once, from the laid-out lines.
    virtual void ShiftAndPaint(int32_t dy) = 0;
    // Paints these rows at once from the laid-out lines, every line that overlaps them drawn.
    virtual void PaintRows(ViewRows rows) = 0;
    // Has the whole view repainted (lines not wholly in view are blank while auto-scroll is off).
    virtual void RepaintAll() = 0;
};

}  // namespace zeb
