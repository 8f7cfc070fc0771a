#include "app/ProfilePictures.h"

#include <algorithm>

#include <QPainter>

#include "app/ColorRefQt.h"
#include "render/BoxFilter.h"
#include "render/QtMeasurer.h"

namespace zeb {

namespace {

const char* const SampleText = "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz";

// The sample text in device pixels, supersample times larger, reduced to its own size.
QImage ReducedText(const FontProfile& profile, int32_t supersample, int ratio)
{
    QtMeasurer canvas;
    canvas.SetFont(profile, supersample * ratio);
    const FontMetrics tm = canvas.Metrics();
    const int width = SampleWidth * ratio;  // the rest of the line is clipped anyway
    const int height = std::max(tm.Height / supersample, 1);
    QImage enlarged(width * supersample, height * supersample, QImage::Format_RGB32);
    enlarged.fill(QColorOf(profile.BackColor));
    {
        QPainter painter(&enlarged);
        painter.setFont(canvas.Font());
        painter.setPen(QColorOf(profile.FontColor));
        painter.drawText(QPointF(0, tm.Height - tm.Descent), QString::fromLatin1(SampleText));
    }
    if (supersample == 1)
        return enlarged;
    QImage reduced(width, height, QImage::Format_RGB32);
    BoxReduce(PixelKind::TrueColor32, supersample, {enlarged.constBits(), enlarged.bytesPerLine()},
              {reduced.bits(), reduced.bytesPerLine()}, width, height);
    return reduced;
}

}  // namespace

QImage SwatchPicture(ColorRef colour, int ratio)
{
    QImage picture(SwatchWidth * ratio, SwatchHeight * ratio, QImage::Format_RGB32);
    picture.fill(QColorOf(colour));
    QPainter painter(&picture);
    painter.fillRect(0, 0, ratio, picture.height(), QColorOf(InverseColor(colour)));
    painter.end();
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QImage SamplePicture(const FontProfile& profile, int32_t supersample, int ratio)
{
    QImage picture(SampleWidth * ratio, SampleHeight * ratio, QImage::Format_RGB32);
    picture.fill(QColorOf(profile.BackColor));
    const QImage text = ReducedText(profile, supersample, ratio);
    QPainter painter(&picture);
    painter.drawImage(0, (picture.height() - text.height()) / 2, text);
    painter.end();
    picture.setDevicePixelRatio(ratio);
    return picture;
}

}  // namespace zeb
