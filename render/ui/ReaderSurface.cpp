#include "render/ui/ReaderSurface.h"

#include <QPainter>

#include "render/ViewPainter.h"

namespace zeb {

ReaderSurface::ReaderSurface(TZEBScroll& view, const ZEBOptions& options)
    : view_(view), options_(options)
{
    QObject::connect(&view_, &TZEBScroll::Painting, &view_,
                     [this](QPainter& painter, const QRect& rect, bool full) {
                         Paint(painter, rect, full);
                     });
}

ViewSize ReaderSurface::ViewSizeNow() const
{
    return {view_.width(), view_.height()};
}

void ReaderSurface::RepaintView()
{
    view_.update();
}

// The reader above the engine follows the position; the view itself has nothing to show for it.
void ReaderSurface::PositionChanged() {}

void ReaderSurface::ShiftAndPaint(int32_t dy)
{
    view_.ShiftAndPaint(dy);
}

void ReaderSurface::PaintRows(ViewRows rows)
{
    view_.PaintNow(QRect(0, rows.Top, view_.width(), rows.Bottom - rows.Top));
}

// Moves show every step at once, so the repaint does not wait for the event loop.
void ReaderSurface::RepaintAll()
{
    view_.repaint();
}

void ReaderSurface::Paint(QPainter& painter, const QRect& rect, bool full)
{
    if (!engine_) {
        painter.fillRect(rect, view_.palette().window());
        return;
    }
    if (full)
        PaintViewFull(painter, *engine_, rect, options_.Settings().AutoScrollActive);
    else
        PaintViewRect(painter, *engine_, rect);
}

}  // namespace zeb
