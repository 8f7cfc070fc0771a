#include "library/ui/TZEBBrowse.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace zeb {

namespace {
constexpr int InitialSize = 256;
}

TZEBBrowse::TZEBBrowse(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(InitialSize, InitialSize);
}

void TZEBBrowse::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (paint_)
        paint_(painter);
}

void TZEBBrowse::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (mouseDown_)
        mouseDown_(*event);
}

void TZEBBrowse::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (doubleClick_)
        doubleClick_(*event);
}

void TZEBBrowse::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (wheel_)
        wheel_(*event);
}

void TZEBBrowse::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
    if (key_)
        key_(*event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

void TZEBBrowse::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (resized_)
        resized_();
}

}  // namespace zeb
