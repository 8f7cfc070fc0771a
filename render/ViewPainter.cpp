#include "render/ViewPainter.h"

#include <QFontMetrics>
#include <QRegion>

#include "render/ProfileFont.h"
#include "render/QtLineBitmap.h"
#include "render/QtMeasurer.h"
#include "render/RampPalette.h"

namespace zeb {

namespace {

// The end marker's font size in points: a character cell 85 pixels high.
constexpr int32_t EndMarkerPoints = 64;

QColor ColorOf(ColorRef c)
{
    return QColor::fromRgb(PixelOf(c));
}

// Copies the part of line's picture that overlaps area to the same place in the view.
bool DrawLinePart(QPainter& painter, const ZEBRenderLineObject& line, const QRect& area)
{
    const auto* picture = dynamic_cast<const QtLineBitmap*>(line.Bitmap.get());
    if (!picture || picture->Image.isNull())
        return false;
    const qreal ratio = picture->Image.devicePixelRatio();
    const QRectF source(area.x() * ratio, (area.y() - line.Y) * ratio, area.width() * ratio,
                        area.height() * ratio);
    painter.drawImage(QRectF(area), picture->Image, source);
    return true;
}

// Draws every line overlapping area, and the background wherever none is drawn. Lines cut by
// the view's edges are left to the background when blankCutLines is set.
void PaintLines(QPainter& painter, ZEBRenderParag& engine, const QRect& area, bool blankCutLines)
{
    const RenderMetrics& m = engine.Metrics();
    QRegion uncovered(area);
    for (const auto& block : engine.Blocks()) {
        for (const auto& line : block->Lines) {
            const QRect part = QRect(0, line->Y, m.ViewWidth, line->Height) & area;
            if (part.isEmpty())
                continue;
            if (blankCutLines && (line->Y < 0 || line->Bottom() >= m.ViewHeight))
                continue;
            engine.RenderNow(*line);
            if (DrawLinePart(painter, *line, part))
                uncovered -= part;
        }
    }
    for (const QRect& gap : uncovered)
        painter.fillRect(gap, ColorOf(m.BackColor));
}

// "THE END", centred half a view height below the book's last line, when its rows overlap
// top .. bottom (exclusive); drawn within area only, so that repainting a strip never draws
// its antialiased edges twice over the part already shown.
void PaintEndMarker(QPainter& painter, const ZEBRenderParag& engine, const QRect& area,
                    int32_t top, int32_t bottom)
{
    const auto& blocks = engine.Blocks();
    if (blocks.empty() || !blocks.back()->LastBlock)
        return;
    const RenderMetrics& m = engine.Metrics();
    const ZEBRenderLineObject& last = blocks.back()->LastLine();
    QFont font = dynamic_cast<const QtMeasurer&>(engine.Measurer()).Font();
    font.setPixelSize(PointsToPixels(EndMarkerPoints));
    const QFontMetrics metrics(font);
    const QString text = QStringLiteral("THE END");
    const int32_t width = metrics.horizontalAdvance(text);
    const int32_t height = metrics.ascent() + metrics.descent();
    const int32_t y = last.Bottom() + m.ViewHeight / 2 - height / 2;
    if (y >= bottom || y + height <= top)
        return;
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(ColorOf(m.FontColor));
    painter.drawText(QPointF(m.ViewWidth / 2 - width / 2, y + metrics.ascent()), text);
    painter.restore();
}

}  // namespace

void PaintViewRect(QPainter& painter, ZEBRenderParag& engine, const QRect& rect)
{
    PaintLines(painter, engine, rect, false);
    PaintEndMarker(painter, engine, rect, rect.top(), rect.top() + rect.height());
}

void PaintViewFull(QPainter& painter, ZEBRenderParag& engine, const QRect& clip,
                   bool autoScrollActive)
{
    PaintLines(painter, engine, clip, !autoScrollActive);
    PaintEndMarker(painter, engine, clip, 0, engine.Metrics().ViewHeight);
}

}  // namespace zeb
