#include "app/StatusGlyphs.h"

#include <array>
#include <functional>
#include <vector>

#include <QPainter>
#include <QPolygonF>

#include "platform/ui/ToolbarLook.h"

namespace zeb {

namespace {

// Glyph geometry in logical pixels: a digit is seven segments 2 thick and 8 long, its ink
// 12 x 22 from (1, 3) in a cell 14 wide and 28 high.
constexpr int GlyphHeight = 28;
constexpr int DigitWidth = 14;
constexpr qreal Thick = 2, Long = 8, InkLeft = 1, InkTop = 3;

enum Segment { A, B, C, D, E, F, G };

QRectF SegmentRect(Segment s)
{
    const qreal x = InkLeft, y = InkTop, t = Thick, l = Long;
    switch (s) {
    case A: return {x + t, y, l, t};
    case B: return {x + t + l, y + t, t, l};
    case C: return {x + t + l, y + 2 * t + l, t, l};
    case D: return {x + t, y + 2 * t + 2 * l, l, t};
    case E: return {x, y + 2 * t + l, t, l};
    case F: return {x, y + t, t, l};
    case G: return {x + t, y + t + l, l, t};
    }
    return {};
}

// At one pixel a segment is its rectangle, edge on edge with the pixels; with more pixels
// its ends come to points that half fill the corners, as lit display segments do.
QPolygonF SegmentShape(const QRectF& r, bool pointed)
{
    if (!pointed)
        return QPolygonF(r);
    const qreal reach = Thick / 4;
    if (r.width() > r.height()) {
        const qreal mid = r.center().y();
        return QPolygonF({{r.left() - reach, mid}, {r.left() + reach, r.top()},
                          {r.right() - reach, r.top()}, {r.right() + reach, mid},
                          {r.right() - reach, r.bottom()}, {r.left() + reach, r.bottom()}});
    }
    const qreal mid = r.center().x();
    return QPolygonF({{mid, r.top() - reach}, {r.right(), r.top() + reach},
                      {r.right(), r.bottom() - reach}, {mid, r.bottom() + reach},
                      {r.left(), r.bottom() - reach}, {r.left(), r.top() + reach}});
}

// The lit segments of 0 .. 9, bit n for segment n.
constexpr std::array<int, 10> DigitSegments = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110,
    0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111,
};

using Drawing = std::function<void(QPainter&, bool pointed)>;

Drawing Segments(int lit)
{
    return [lit](QPainter& p, bool pointed) {
        for (int s = A; s <= G; ++s)
            if (lit & (1 << s))
                p.drawPolygon(SegmentShape(SegmentRect(Segment(s)), pointed));
    };
}

// A dot a segment thick, at the given top.
Drawing Dots(std::initializer_list<qreal> tops)
{
    std::vector<qreal> ys(tops);
    return [ys](QPainter& p, bool) {
        for (qreal y : ys)
            p.drawRect(QRectF(InkLeft, y, Thick, Thick));
    };
}

// Two square dots and a slash between them.
void DrawPercent(QPainter& p, bool)
{
    const qreal dot = 2 * Thick;
    const qreal right = InkLeft + 2 * Thick + Long, bottom = InkTop + 3 * Thick + 2 * Long;
    p.drawRect(QRectF(InkLeft, InkTop + 1, dot, dot));
    p.drawRect(QRectF(right - dot, bottom - 1 - dot, dot, dot));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(StatusTextColor, Thick, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(right - 0.5, InkTop), QPointF(InkLeft + 0.5, bottom));
}

QImage DrawGlyph(int ratio, int width, const Drawing& draw)
{
    QImage image(width * ratio, GlyphHeight * ratio, QImage::Format_RGB888);
    image.setDevicePixelRatio(ratio);
    image.fill(ToolbarColor);
    QPainter p(&image);
    const bool pointed = ratio > 1;
    p.setRenderHint(QPainter::Antialiasing, pointed);
    p.setPen(Qt::NoPen);
    p.setBrush(StatusTextColor);
    draw(p, pointed);
    return image;
}

}  // namespace

int GlyphId(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return GlyphDigitZero + (c - u'0');
    switch (c) {
    case u'.': return GlyphPoint;
    case u'%': return GlyphPercent;
    case u':': return GlyphColon;
    default: return GlyphOther;
    }
}

StatusGlyphs::StatusGlyphs(int pixelRatio) : ratio_(pixelRatio)
{
    for (int d = 0; d <= 9; ++d)
        pictures_[GlyphDigitZero + d] =
            DrawGlyph(ratio_, DigitWidth, Segments(DigitSegments[size_t(d)]));
    const qreal bottom = InkTop + 2 * Thick + 2 * Long;
    const qreal upper = InkTop + Thick + Long / 2 - Thick / 2;
    pictures_[GlyphPoint] = DrawGlyph(ratio_, 4, Dots({bottom}));
    pictures_[GlyphColon] = DrawGlyph(ratio_, 4, Dots({upper, upper + Thick + Long}));
    pictures_[GlyphPercent] = DrawGlyph(ratio_, DigitWidth, DrawPercent);
    // An unknown character shows as a dash, so the text keeps its length.
    pictures_[GlyphOther] = DrawGlyph(ratio_, DigitWidth, Segments(1 << G));
}

const QImage& StatusGlyphs::Picture(int id) const
{
    return pictures_.at(id);
}

QImage StatusGlyphs::TextPicture(QStringView text) const
{
    int width = 0;
    for (QChar c : text)
        width += Picture(GlyphId(c.unicode())).width();
    QImage image(width, Picture(GlyphDigitZero).height(), QImage::Format_RGB888);
    image.setDevicePixelRatio(ratio_);
    image.fill(ToolbarColor);
    QPainter p(&image);
    int x = 0;
    for (QChar c : text) {
        const QImage& glyph = Picture(GlyphId(c.unicode()));
        p.drawImage(QPointF(qreal(x) / ratio_, 0), glyph);
        x += glyph.width();
    }
    return image;
}

}  // namespace zeb
