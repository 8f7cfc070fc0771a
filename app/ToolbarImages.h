#pragma once

#include <QIcon>

class QColor;
class QPainter;

namespace zeb {

// The toolbar's 23 x 23 images, drawn here, sharp at device pixel ratios 1 and 2:
// 0 open, 1 auto-scroll, 2 text formatting, 3 options, 4 bookmarks, 5 minimize, 6 full screen,
// 7 exit, 8 add bookmark.
constexpr int ToolbarImageSize = 23;
constexpr int ToolbarImageCount = 9;

QIcon ToolbarIcon(int index);

// The bookmark ribbon of the images, outlined in color, for the images that show bookmarks.
void DrawBookmarkRibbon(QPainter& p, const QColor& color);

}  // namespace zeb
