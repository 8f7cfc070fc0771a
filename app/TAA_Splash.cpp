#include "app/TAA_Splash.h"

#include <algorithm>

#include <QPainter>

#include "app/TitlePictures.h"
#include "platform/ui/ShowWindow.h"

namespace zeb {

TAA_Splash::TAA_Splash()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      title_(TitlePicture(devicePixelRatioF()))
{
    setFixedSize(TitlePictureSize.width(), TitlePictureSize.height() + StripHeight);
    DrawVersionText(title_, font());
    CentreOnScreen(*this);
}

void TAA_Splash::ShowAtOnce()
{
    ShowOnScreen(*this);
    repaint();
}

void TAA_Splash::SetProgress(int32_t progress)
{
    if (progress == progress_)
        return;
    progress_ = progress;
    repaint(StripRect());
}

QRect TAA_Splash::StripRect() const
{
    return QRect(0, TitlePictureSize.height(), width(), StripHeight);
}

void TAA_Splash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, title_);
    const QRect strip = StripRect();
    const int done = std::clamp(progress_, 0, strip.width());
    p.fillRect(strip.adjusted(done, 0, 0, 0), palette().color(QPalette::Button));
    p.fillRect(QRect(strip.topLeft(), QSize(done, strip.height())), Qt::black);
}

}  // namespace zeb
