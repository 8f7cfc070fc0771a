#include "app/BookmarkImages.h"

#include <QPainter>

#include "app/ToolbarImages.h"
#include "library/ui/LibraryImages.h"
#include "platform/ui/DrawnIcons.h"

namespace zeb {

namespace {

constexpr int AddBookmarkImage = 8;

void DrawGoTo(QPainter& p)
{
    // An arrow running into a ribbon.
    p.translate(4, 0);
    DrawBookmarkRibbon(p, IconInk);
    p.translate(-4, 0);
    p.setPen(IconStroke(IconAccent, 1.8));
    p.drawLine(QPointF(2.5, 10.5), QPointF(13.0, 10.5));
    p.drawPolyline(QPolygonF({QPointF(9.5, 7.0), QPointF(13.0, 10.5), QPointF(9.5, 14.0)}));
}

void DrawCustomPosition(QPainter& p)
{
    // A scale with a marker two thirds along it.
    p.setPen(IconStroke(IconInk, 1.4));
    p.drawLine(QPointF(3.5, 16.5), QPointF(19.5, 16.5));
    for (qreal x : {3.5, 11.5, 19.5})
        p.drawLine(QPointF(x, 16.5), QPointF(x, 19.5));
    for (qreal x : {7.5, 15.5})
        p.drawLine(QPointF(x, 16.5), QPointF(x, 18.0));
    p.setPen(IconStroke(IconAccent, 1.4));
    p.setBrush(IconAccent);
    p.drawPolygon(QPolygonF({QPointF(11.0, 5.0), QPointF(17.0, 5.0), QPointF(14.0, 9.5)}));
    p.drawLine(QPointF(14.0, 9.5), QPointF(14.0, 14.5));
}

}  // namespace

QIcon BookmarkIcon(BookmarkImage image)
{
    switch (image) {
    case BookmarkImage::Set: return ToolbarIcon(AddBookmarkImage);
    case BookmarkImage::GoTo: return DrawnIcon(BookmarkImageSize, DrawGoTo);
    case BookmarkImage::Delete: return LibraryIcon(LibraryImage::Delete);
    case BookmarkImage::DeleteAll: return LibraryIcon(LibraryImage::DeleteAll);
    case BookmarkImage::Close: return LibraryIcon(LibraryImage::Close);
    case BookmarkImage::CustomPosition: return DrawnIcon(BookmarkImageSize, DrawCustomPosition);
    }
    return QIcon();
}

}  // namespace zeb
