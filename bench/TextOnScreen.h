#pragma once

#include <QImage>

namespace zeb::bench {

// Whether a picture of part of the screen shows a page of text: at least minLines bands of
// inked rows, each 3 to 80 pixels high, standing out from the picture's commonest colour, and
// the picture not the same as the empty screen grabbed before the reader started.
bool ShowsTextPage(const QImage& picture, const QImage& empty, int minLines = 6);

// The number of such bands of inked rows in the picture.
int TextBands(const QImage& picture);

}  // namespace zeb::bench
