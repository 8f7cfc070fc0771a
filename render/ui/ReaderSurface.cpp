#include "render/ui/ReaderSurface.h"

#include <algorithm>
#include <utility>

#include <QPainter>
#include <QScreen>

#include "render/ViewPainter.h"

namespace zeb {

namespace {

// The screen's frame time, 60 frames a second where it does not say.
int FrameMs(const QWidget& view)
{
    const QScreen* screen = view.screen();
    const qreal rate = screen && screen->refreshRate() >= 20 ? screen->refreshRate() : 60.0;
    return std::max(1, int(1000.0 / rate));
}

}  // namespace

ReaderSurface::ReaderSurface(TZEBScroll& view, const ZEBOptions& options)
    : view_(view), options_(options)
{
    QObject::connect(&view_, &TZEBScroll::Painting, &view_,
                     [this](QPainter& painter, const QRect& rect, bool full) {
                         Paint(painter, rect, full);
                     });
    nextFrame_.setSingleShot(true);
    nextFrame_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&nextFrame_, &QTimer::timeout, &view_, [this] { Show(); });
    sinceFrame_.start();
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
    pendingShift_ += dy;
    ShowSoon();
}

// Rows to paint now lie where the pixels are: a shift still pending goes first.
void ReaderSurface::PaintRows(ViewRows rows)
{
    Show();
    view_.PaintNow(QRect(0, rows.Top, view_.width(), rows.Bottom - rows.Top));
}

void ReaderSurface::RepaintAll()
{
    pendingAll_ = true;
    ShowSoon();
}

void ReaderSurface::ShowSoon()
{
    if (nextFrame_.isActive())
        return;
    const int frame = FrameMs(view_);
    const qint64 since = sinceFrame_.elapsed();
    if (since >= frame)
        Show();
    else
        nextFrame_.start(int(frame - since));
}

void ReaderSurface::Show()
{
    nextFrame_.stop();
    const int32_t shift = std::exchange(pendingShift_, 0);
    const bool all = std::exchange(pendingAll_, false);
    if (!all && shift == 0)
        return;
    sinceFrame_.restart();
    if (all)
        view_.repaint();
    else
        view_.ShiftAndPaint(shift);
}

void ReaderSurface::Paint(QPainter& painter, const QRect& rect, bool full)
{
    // Painted from where the lines are now, while the rest of the screen waits for a shift:
    // the whole view is shown at the next frame instead.
    if (pendingShift_ != 0)
        pendingAll_ = true;
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
