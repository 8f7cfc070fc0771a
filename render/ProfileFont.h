#pragma once

#include <cstdint>
#include <string>

#include <QFont>

#include "settings/ReaderSettings.h"

namespace zeb {

// Pixels of a font size in points at the fixed logical resolution of 96 pixels per inch, so
// that layouts come out the same on every screen.
int32_t PointsToPixels(int32_t points);

// face at pixelSize pixels (at least 1). The default faces are stood in for by free ones
// installed with the program.
QFont FaceFont(const std::string& face, int32_t pixelSize);

// The font of a profile, its size multiplied by sizeFactor: face, size and the four style
// flags. The default faces are stood in for by free ones installed with the program.
QFont BuildProfileFont(const FontProfile& profile, int32_t sizeFactor = 1);

}  // namespace zeb
