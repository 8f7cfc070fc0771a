#include "import/ui/TZEBEncode.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace zeb {

TZEBEncode::TZEBEncode(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // The handler paints every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(256, 256);
}

void TZEBEncode::paintEvent(QPaintEvent*)
{
    if (!paint_)
        return;
    QPainter painter(this);
    paint_(painter);
}

void TZEBEncode::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void TZEBEncode::wheelEvent(QWheelEvent* event)
{
    if (wheel_)
        wheel_(*event);
    else
        QWidget::wheelEvent(event);
}

void TZEBEncode::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
    if (keyDown_)
        keyDown_(*event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

}  // namespace zeb
