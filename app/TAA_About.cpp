#include "app/TAA_About.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/TitlePictures.h"
#include "platform/ui/ShowWindow.h"

namespace zeb {

TAA_About::TAA_About(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      title_(TitlePicture(devicePixelRatioF())),
      releasedPicture_(AboutButtonPicture(false, devicePixelRatioF())),
      releasedShown_(WithTransparentCorner(releasedPicture_)),
      pressedShown_(WithTransparentCorner(AboutButtonPicture(true, devicePixelRatioF())))
{
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(TitlePictureSize);
    DrawVersionText(title_, font());
}

void TAA_About::Show()
{
    if (QWidget* mainWindow = parentWidget())
        CentreOver(*this, *mainWindow);
    exec();
}

void TAA_About::showEvent(QShowEvent* event)
{
    released_ = true;
    QDialog::showEvent(event);
}

void TAA_About::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, title_);
    p.drawImage(ButtonAt, released_ ? releasedShown_ : pressedShown_);
}

void TAA_About::mousePressEvent(QMouseEvent* event)
{
    if (!IsOpaquePixel(releasedPicture_, event->position().toPoint() - ButtonAt))
        return;
    released_ = false;
    repaint();
}

void TAA_About::mouseReleaseEvent(QMouseEvent*)
{
    if (!released_)
        accept();
}

}  // namespace zeb
