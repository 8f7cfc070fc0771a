#pragma once

#include <QColor>

#include "render/RampPalette.h"
#include "settings/FontProfile.h"

namespace zeb {

// COLORREF values (0x00BBGGRR) to Qt's colours and back.
inline QColor QColorOf(ColorRef colour)
{
    return QColor::fromRgb(PixelOf(colour));
}

inline ColorRef ColorRefOf(const QColor& colour)
{
    return ColorRef(colour.blue()) << 16 | ColorRef(colour.green()) << 8 | ColorRef(colour.red());
}

}  // namespace zeb
