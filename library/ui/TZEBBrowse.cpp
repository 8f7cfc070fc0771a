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
    emit Painting(painter);
}

void TZEBBrowse::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton)
        emit LeftPressed(int(event->position().y()));
}

void TZEBBrowse::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit LeftDoubleClicked(int(event->position().y()));
}

void TZEBBrowse::wheelEvent(QWheelEvent* event)
{
    event->accept();
    emit WheelTurned(event->angleDelta());
}

void TZEBBrowse::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
    emit KeyPressed(event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

void TZEBBrowse::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit Resized();
}

}  // namespace zeb
