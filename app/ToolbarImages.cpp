#include "app/ToolbarImages.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/ui/DrawnIcons.h"

namespace zeb {

namespace {

void DrawOpen(QPainter& p)
{
    // An open book.
    QPainterPath left, right;
    left.moveTo(11.5, 6.5);
    left.cubicTo(8.5, 4.5, 5.5, 4.5, 2.5, 5.5);
    left.lineTo(2.5, 17.5);
    left.cubicTo(5.5, 16.5, 8.5, 16.5, 11.5, 18.5);
    right.moveTo(11.5, 6.5);
    right.cubicTo(14.5, 4.5, 17.5, 4.5, 20.5, 5.5);
    right.lineTo(20.5, 17.5);
    right.cubicTo(17.5, 16.5, 14.5, 16.5, 11.5, 18.5);
    p.setPen(IconStroke(IconInk));
    p.drawPath(left);
    p.drawPath(right);
    p.drawLine(QPointF(11.5, 6.5), QPointF(11.5, 18.5));
}

void DrawAutoScroll(QPainter& p)
{
    // Lines of text with an arrow running up beside them.
    p.setPen(IconStroke(IconInk, 1.4));
    for (qreal y : {6.5, 10.5, 14.5, 18.5})
        p.drawLine(QPointF(3.5, y), QPointF(12.5, y));
    p.setPen(IconStroke(IconAccent, 1.8));
    p.drawLine(QPointF(17.5, 19.0), QPointF(17.5, 5.0));
    p.drawLine(QPointF(14.0, 8.5), QPointF(17.5, 5.0));
    p.drawLine(QPointF(21.0, 8.5), QPointF(17.5, 5.0));
}

void DrawFormatting(QPainter& p)
{
    // Justified lines above ragged ones.
    p.setPen(IconStroke(IconInk, 1.4));
    p.drawLine(QPointF(3.5, 5.5), QPointF(19.5, 5.5));
    p.drawLine(QPointF(3.5, 9.5), QPointF(19.5, 9.5));
    p.setPen(IconStroke(IconAccent, 1.4));
    p.drawLine(QPointF(3.5, 13.5), QPointF(14.5, 13.5));
    p.drawLine(QPointF(3.5, 17.5), QPointF(17.5, 17.5));
}

void DrawOptions(QPainter& p)
{
    // Three sliders.
    const qreal knobs[] = {7.5, 15.5, 10.5};
    for (int i = 0; i < 3; ++i) {
        qreal y = 5.5 + 6 * i;
        p.setPen(IconStroke(IconInk, 1.4));
        p.drawLine(QPointF(3.5, y), QPointF(19.5, y));
        p.setPen(Qt::NoPen);
        p.setBrush(IconAccent);
        p.drawEllipse(QPointF(knobs[i], y), 2.3, 2.3);
    }
}

void DrawBookmarks(QPainter& p)
{
    // A ribbon with a list beside it.
    DrawBookmarkRibbon(p, IconInk);
    p.setPen(IconStroke(IconAccent, 1.3));
    for (qreal y : {7.5, 10.5})
        p.drawLine(QPointF(9.0, y), QPointF(14.0, y));
}

void DrawMinimize(QPainter& p)
{
    p.setPen(IconStroke(IconInk, 2.0));
    p.drawLine(QPointF(6.0, 16.5), QPointF(17.0, 16.5));
}

void DrawFullScreen(QPainter& p)
{
    // Four corners pointing out.
    p.setPen(IconStroke(IconInk, 1.7));
    const qreal a = 4.5, b = 18.5, l = 5.0;
    p.drawPolyline(QPolygonF({QPointF(a, a + l), QPointF(a, a), QPointF(a + l, a)}));
    p.drawPolyline(QPolygonF({QPointF(b - l, a), QPointF(b, a), QPointF(b, a + l)}));
    p.drawPolyline(QPolygonF({QPointF(a, b - l), QPointF(a, b), QPointF(a + l, b)}));
    p.drawPolyline(QPolygonF({QPointF(b - l, b), QPointF(b, b), QPointF(b, b - l)}));
}

void DrawExit(QPainter& p)
{
    p.setPen(IconStroke(IconWarning, 2.0));
    p.drawLine(QPointF(6.5, 6.5), QPointF(16.5, 16.5));
    p.drawLine(QPointF(16.5, 6.5), QPointF(6.5, 16.5));
}

void DrawAddBookmark(QPainter& p)
{
    DrawBookmarkRibbon(p, IconInk);
    p.setPen(IconStroke(IconAccent, 1.6));
    p.drawLine(QPointF(11.5, 6.5), QPointF(11.5, 12.0));
    p.drawLine(QPointF(8.75, 9.25), QPointF(14.25, 9.25));
}

void Draw(QPainter& p, int index)
{
    using Painter = void (*)(QPainter&);
    static const Painter painters[ToolbarImageCount] = {
        DrawOpen,       DrawAutoScroll, DrawFormatting, DrawOptions,    DrawBookmarks,
        DrawMinimize,   DrawFullScreen, DrawExit,       DrawAddBookmark,
    };
    painters[index](p);
}

}  // namespace

void DrawBookmarkRibbon(QPainter& p, const QColor& color)
{
    QPainterPath ribbon;
    ribbon.moveTo(6.5, 3.5);
    ribbon.lineTo(16.5, 3.5);
    ribbon.lineTo(16.5, 19.5);
    ribbon.lineTo(11.5, 15.0);
    ribbon.lineTo(6.5, 19.5);
    ribbon.closeSubpath();
    p.setPen(IconStroke(color));
    p.setBrush(Qt::NoBrush);
    p.drawPath(ribbon);
}

QIcon ToolbarIcon(int index)
{
    if (index < 0 || index >= ToolbarImageCount)
        return QIcon();
    return DrawnIcon(ToolbarImageSize, [index](QPainter& p) { Draw(p, index); });
}

}  // namespace zeb
