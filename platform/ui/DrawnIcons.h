#pragma once

#include <functional>

#include <QColor>
#include <QIcon>
#include <QPen>

class QPainter;

namespace zeb {

// The toolbars' own images share one look: light strokes on the dark toolbar, green accents.
inline const QColor IconInk(214, 232, 226);
inline const QColor IconAccent(0, 224, 0);
inline const QColor IconWarning(255, 140, 120);

// A rounded stroke of the images.
QPen IconStroke(const QColor& color, qreal width = 1.6);

// An icon of size x size drawn by draw, in icon pixels, once at device pixel ratio 1 and once
// at 2, so that it is sharp on both kinds of screen.
QIcon DrawnIcon(int size, const std::function<void(QPainter&)>& draw);

}  // namespace zeb
