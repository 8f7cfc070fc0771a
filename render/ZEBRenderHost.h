#pragma once

#include "render/RenderMetrics.h"

namespace zeb {

// What the engine needs of the window around it: the reader view's size, its repaint, and
// the toolbar gauge, which shows the reading position.
class ZEBRenderHost {
public:
    virtual ~ZEBRenderHost() = default;
    virtual ViewSize ViewSizeNow() const = 0;
    virtual void RepaintView() = 0;
    virtual void PositionChanged() = 0;
};

}  // namespace zeb
