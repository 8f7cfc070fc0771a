#include "import/ui/TZEBEncode.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace zeb {

TZEBEncode::TZEBEncode(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // The dialog paints every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(256, 256);
}

void TZEBEncode::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    emit Painting(painter);
}

void TZEBEncode::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void TZEBEncode::wheelEvent(QWheelEvent* event)
{
    emit WheelTurned(event->angleDelta());
    event->accept();
}

void TZEBEncode::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
    emit KeyPressed(event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

}  // namespace zeb
