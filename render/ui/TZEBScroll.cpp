#include "render/ui/TZEBScroll.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

namespace zeb {

TZEBScroll::TZEBScroll(QWidget* parent) : QWidget(parent), paintedRatio_(devicePixelRatioF())
{
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted from the line pictures: nothing to clear first, nothing to keep
    // while the window is resized.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(256, 256);
}

void TZEBScroll::ShiftAndPaint(int dy)
{
    if (dy == 0)
        return;
    scroll(0, dy);
    QRect strip = dy > 0 ? QRect(0, 0, width(), dy) : QRect(0, height() + dy, width(), -dy);
    PaintNow(strip.intersected(rect()));
}

void TZEBScroll::PaintNow(const QRect& area)
{
    if (area.isEmpty())
        return;
    partialPaint_ = true;
    repaint(area);
    partialPaint_ = false;
}

void TZEBScroll::paintEvent(QPaintEvent* event)
{
    if (devicePixelRatioF() != paintedRatio_) {
        paintedRatio_ = devicePixelRatioF();
        emit PixelRatioChanged(paintedRatio_);
    }
    QPainter painter(this);
    // A paint the view asked for itself covers just its rows; anything else (an expose, a
    // repaint of everything) is a full repaint of the area.
    emit Painting(painter, event->rect(), !partialPaint_);
}

void TZEBScroll::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit LeftPressed(int(event->position().y()));
}

void TZEBScroll::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        emit LeftDragged(int(event->position().y()));
}

void TZEBScroll::wheelEvent(QWheelEvent* event)
{
    emit WheelTurned(event->angleDelta(), event->pixelDelta());
    event->accept();
}

void TZEBScroll::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit Resized();
}

}  // namespace zeb
