#pragma once

#include <QFont>

class QPainter;

namespace zeb {

class ZEBBrowseFile;
class ZEBBrowseView;

// The list's font: "Courier New", 10 points, bold (a free monospaced face stands in).
QFont BrowseFont();
// The height of one text line in font; a cell holds ten of them and two separator rows.
int BrowseLineHeight(const QFont& font);
int BrowseCellHeight(int lineHeight);

// Paints the cells from the view's top entry down to the bottom of a view of width pixels:
// a header band with the title and the source size, the preview lines below, two black
// separator rows; the rest of the view in the panel colour.
void PaintBrowseCells(QPainter& painter, const ZEBBrowseFile& list, const ZEBBrowseView& view,
                      int width, int lineHeight);

}  // namespace zeb
