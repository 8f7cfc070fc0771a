#pragma once

#include <QImage>

#include "render/ZEBLineBitmap.h"

namespace zeb {

// The line picture: a QImage at the view's size (times the device pixel ratio), ready to be
// drawn (QPainter::drawImage with a source rect). True colour and indexed lines alike end up
// as Format_RGB32, so that painting is a plain copy; the supersampled pictures on the way are
// Format_RGB32 (true colour) or Format_Grayscale8 holding palette indices (indexed).
class QtLineBitmap : public ZEBLineBitmap {
public:
    QtLineBitmap() = default;
    explicit QtLineBitmap(QImage image) : Image(std::move(image)) {}

    QImage Image;
};

}  // namespace zeb
