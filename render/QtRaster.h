#pragma once

#include <QImage>

#include "render/ZEBRenderThread.h"

namespace zeb {

// Draws line pictures with Qt (QtGui only), one small step at a time, states 0 to 5: 0 create
// the enlarged picture, 1 fill one of eight background strips, 2 draw one character at the
// per-character advances (GlyphAdvance), 3 create the reduced picture (the enlarged one itself
// for f = 1), 4 reduce and store the result (a QtLineBitmap), 5 nothing (idle). A request's
// Canvas must be a QtMeasurer; its font is the enlarged profile font.
class QtRasterStep : public ZEBRenderStep {
public:
    // Line pictures are made at this device pixel ratio (1, 1.25, 1.5, 2 ...), supersampled on
    // top, so that they are copied to the screen pixel for pixel.
    void SetDevicePixelRatio(double ratio);

    bool Advance(ZEBRenderQuenue& request) override;

private:
    double ratio_ = 1;
    // The last supersampled picture, kept for the next line of the same size: lines are drawn
    // one after another, and fresh memory of that size costs more to touch than to fill.
    QImage spare_;
};

}  // namespace zeb
