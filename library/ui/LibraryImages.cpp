#include "library/ui/LibraryImages.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/ui/DrawnIcons.h"

namespace zeb {

namespace {

// A closed book standing upright, its spine on the left.
void DrawBook(QPainter& p, qreal left, qreal top, qreal width, qreal height)
{
    p.setPen(IconStroke(IconInk, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(left, top, width, height), 1.5, 1.5);
    p.drawLine(QPointF(left + 2.5, top), QPointF(left + 2.5, top + height));
}

void DrawImport(QPainter& p)
{
    // An arrow coming down into a book.
    DrawBook(p, 5.5, 9.5, 12.0, 11.0);
    p.setPen(IconStroke(IconAccent, 1.8));
    p.drawLine(QPointF(13.0, 2.5), QPointF(13.0, 13.0));
    p.drawPolyline(QPolygonF({QPointF(9.5, 9.5), QPointF(13.0, 13.0), QPointF(16.5, 9.5)}));
}

void DrawRead(QPainter& p)
{
    // An open book with lines of text.
    QPainterPath pages;
    pages.moveTo(11.5, 6.5);
    pages.cubicTo(8.5, 4.5, 5.5, 4.5, 2.5, 5.5);
    pages.lineTo(2.5, 17.5);
    pages.cubicTo(5.5, 16.5, 8.5, 16.5, 11.5, 18.5);
    pages.cubicTo(14.5, 16.5, 17.5, 16.5, 20.5, 17.5);
    pages.lineTo(20.5, 5.5);
    pages.cubicTo(17.5, 4.5, 14.5, 4.5, 11.5, 6.5);
    p.setPen(IconStroke(IconInk));
    p.setBrush(Qt::NoBrush);
    p.drawPath(pages);
    p.drawLine(QPointF(11.5, 6.5), QPointF(11.5, 18.5));
    p.setPen(IconStroke(IconAccent, 1.2));
    for (qreal y : {9.0, 12.0})
        p.drawLine(QPointF(14.0, y), QPointF(18.0, y));
}

// A waste bin, its lid at top.
void DrawBin(QPainter& p, qreal dx)
{
    p.setPen(IconStroke(IconInk, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(dx + 4.5, 6.5), QPointF(dx + 14.5, 6.5));
    p.drawLine(QPointF(dx + 8.0, 4.5), QPointF(dx + 11.0, 4.5));
    p.drawPolyline(QPolygonF({QPointF(dx + 5.5, 6.5), QPointF(dx + 6.5, 19.5),
                              QPointF(dx + 12.5, 19.5), QPointF(dx + 13.5, 6.5)}));
    p.setPen(IconStroke(IconWarning, 1.2));
    for (qreal x : {8.0, 11.0})
        p.drawLine(QPointF(dx + x, 9.5), QPointF(dx + x, 16.5));
}

void DrawDelete(QPainter& p)
{
    DrawBin(p, 2.0);
}

void DrawDeleteAll(QPainter& p)
{
    // Two bins, one behind the other.
    p.setOpacity(0.55);
    DrawBin(p, 5.5);
    p.setOpacity(1.0);
    DrawBin(p, -1.5);
}

void DrawClose(QPainter& p)
{
    p.setPen(IconStroke(IconWarning, 2.0));
    p.drawLine(QPointF(6.5, 6.5), QPointF(16.5, 16.5));
    p.drawLine(QPointF(16.5, 6.5), QPointF(6.5, 16.5));
}

void Draw(QPainter& p, LibraryImage image)
{
    switch (image) {
    case LibraryImage::Import: DrawImport(p); break;
    case LibraryImage::Read: DrawRead(p); break;
    case LibraryImage::Delete: DrawDelete(p); break;
    case LibraryImage::DeleteAll: DrawDeleteAll(p); break;
    case LibraryImage::Close: DrawClose(p); break;
    }
}

}  // namespace

QIcon LibraryIcon(LibraryImage image)
{
    return DrawnIcon(LibraryImageSize, [image](QPainter& p) { Draw(p, image); });
}

}  // namespace zeb
