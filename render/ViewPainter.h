#pragma once

#include <QPainter>
#include <QRect>

#include "render/ZEBRenderParag.h"

namespace zeb {

// Paints the part rect of the view: every laid-out line overlapping it, rendered at once when
// it has no picture yet (ZEBRenderParag::RenderNow), then "THE END" after the book's last
// block when its extent overlaps rect. What no line covers is filled with the background.
void PaintViewRect(QPainter& painter, ZEBRenderParag& engine, const QRect& rect);

// The full repaint of the view within clip: as PaintViewRect, except that while auto-scroll is
// off a line not wholly in view (y < 0 or y + height >= view height) is filled with the
// background instead, and "THE END" is drawn whenever it overlaps the view.
void PaintViewFull(QPainter& painter, ZEBRenderParag& engine, const QRect& clip,
                   bool autoScrollActive);

}  // namespace zeb
