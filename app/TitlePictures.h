#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>

namespace zeb {

// The pictures of the splash window and the about box, drawn here rather than loaded, each
// made at a device pixel ratio so that it stays sharp on any screen; sizes and positions are
// in window pixels.

// Picture 1000: the program's title, shared by both windows.
constexpr QSize TitlePictureSize(256, 128);
// Where each window writes the version onto its copy of the title.
constexpr QPoint VersionTextAt(174, 55);
inline const char* const VersionText = "1.1";

// Pictures 1001 (released) and 1002 (pressed): the about box's button. Their white pixels,
// the colour of their top-left corner, are transparent.
constexpr QSize AboutButtonSize(58, 22);

QImage TitlePicture(qreal ratio = 1.0);
QImage AboutButtonPicture(bool pressed, qreal ratio = 1.0);

// Writes the version onto a copy of the title in font, leaving the picture around the letters.
void DrawVersionText(QImage& title, const QFont& font);

// The picture with every pixel of its top-left pixel's colour made transparent, for drawing.
QImage WithTransparentCorner(const QImage& picture);

// Whether at (in window pixels from the picture's top-left) lies on a pixel of picture that is
// not white; false outside the picture.
bool IsOpaquePixel(const QImage& picture, QPoint at);

}  // namespace zeb
