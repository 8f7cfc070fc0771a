#include "app/TitlePictures.h"

#include <cmath>

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "platform/ui/ToolbarLook.h"

namespace zeb {

namespace {

const char* const NameFace = "DejaVu Sans";
const QColor NameInk(238, 247, 245);
const QColor SubtitleInk(150, 212, 214);
const QColor RibbonColor(0, 196, 140);
constexpr QRgb White = 0xFFFFFF;
// The open book's spine; its pages reach PageWidth either side.
constexpr qreal Spine = 50, PageWidth = 35;

QImage NewPicture(QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

void DrawBackground(QPainter& p)
{
    const QRectF all(QPointF(0, 0), QSizeF(TitlePictureSize));
    QLinearGradient sky(all.topLeft(), all.bottomRight());
    sky.setColorAt(0.0, QColor(0, 86, 114));
    sky.setColorAt(0.5, ToolbarColor);
    sky.setColorAt(1.0, QColor(0, 28, 44));
    p.fillRect(all, sky);
    // A soft light behind the book.
    QRadialGradient glow(QPointF(Spine, 58), 62);
    glow.setColorAt(0.0, QColor(120, 220, 230, 70));
    glow.setColorAt(1.0, QColor(120, 220, 230, 0));
    p.fillRect(all, glow);
    p.setPen(QPen(QColor(255, 255, 255, 48), 1));
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
}

// One page of an open book, from the spine out to the fore-edge at outer.
QPainterPath Page(qreal outer, qreal top, qreal bottom)
{
    const qreal span = outer - Spine;
    QPainterPath page;
    page.moveTo(Spine, top + 4);
    page.cubicTo(Spine + span * 0.3, top - 3, Spine + span * 0.7, top - 4, outer, top);
    page.lineTo(outer, bottom);
    page.cubicTo(Spine + span * 0.7, bottom - 4, Spine + span * 0.3, bottom - 3, Spine, bottom + 4);
    page.closeSubpath();
    return page;
}

void DrawTextLines(QPainter& p, qreal from, qreal to, int count, qreal lastLength)
{
    p.setPen(QPen(QColor(0, 62, 86, 120), 1.3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i) {
        const qreal y = 44 + 6 * i;
        const qreal end = i == count - 1 ? from + (to - from) * lastLength : to;
        QPainterPath line;
        line.moveTo(from, y);
        line.quadTo((from + end) / 2, y - 1.5, end, y);
        p.drawPath(line);
    }
}

void DrawBook(QPainter& p)
{
    // The cover, a little wider and lower than the pages.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 44, 64));
    p.drawPath(Page(Spine - PageWidth - 4, 41, 87));
    p.drawPath(Page(Spine + PageWidth + 4, 41, 87));
    // The edges of the pages below the open ones.
    p.setBrush(QColor(196, 214, 210));
    p.drawPath(Page(Spine - PageWidth - 2, 38, 84));
    p.drawPath(Page(Spine + PageWidth + 2, 38, 84));

    QLinearGradient paper(QPointF(Spine - PageWidth, 0), QPointF(Spine + PageWidth, 0));
    paper.setColorAt(0.0, QColor(252, 249, 240));
    paper.setColorAt(0.47, QColor(218, 228, 224));
    paper.setColorAt(0.53, QColor(218, 228, 224));
    paper.setColorAt(1.0, QColor(252, 249, 240));
    p.setBrush(paper);
    p.drawPath(Page(Spine - PageWidth, 35, 81));
    p.drawPath(Page(Spine + PageWidth, 35, 81));
    p.setPen(QPen(QColor(0, 62, 86, 90), 1));
    p.drawLine(QPointF(Spine, 39), QPointF(Spine, 85));

    DrawTextLines(p, Spine - PageWidth + 5, Spine - 5, 6, 0.6);
    DrawTextLines(p, Spine + 5, Spine + PageWidth - 5, 6, 1.0);

    // A bookmark ribbon laid over the right page, hanging out below the book.
    QPainterPath ribbon;
    const qreal r = Spine + 21;
    ribbon.moveTo(r, 34);
    ribbon.lineTo(r + 6, 34.5);
    ribbon.lineTo(r + 6, 92);
    ribbon.lineTo(r + 3, 88.5);
    ribbon.lineTo(r, 92);
    ribbon.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(RibbonColor);
    p.drawPath(ribbon);
}

QFont NameFont(int pixelSize, int weight)
{
    QFont font(QString::fromLatin1(NameFace));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DrawName(QPainter& p)
{
    // "ZEB" ends just before the version, which shares its baseline.
    const QFont brand = NameFont(31, QFont::Bold);
    const QFontMetricsF brandMetrics(brand);
    const qreal baseline = 66, right = VersionTextAt.x() - 6;
    const qreal left = right - brandMetrics.horizontalAdvance(QStringLiteral("ZEB"));
    p.setFont(brand);
    p.setPen(NameInk);
    p.drawText(QPointF(left, baseline), QStringLiteral("ZEB"));

    p.setFont(NameFont(17, QFont::Normal));
    p.setPen(SubtitleInk);
    p.drawText(QPointF(left + 1, baseline + 22), QStringLiteral("Book Reader"));
    p.setPen(QPen(RibbonColor, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(left + 2, baseline + 31), QPointF(left + 36, baseline + 31));
}

// The badge's outline is drawn without antialiasing, so that every pixel outside it stays
// exactly white and is transparent; inside, everything is smooth.
void DrawBadge(QPainter& p, bool pressed)
{
    const QRectF outline(0, 0, AboutButtonSize.width(), AboutButtonSize.height());
    QPainterPath badge;
    badge.addRoundedRect(outline, 11, 11);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(badge, QColor(110, 204, 192));
    QPainterPath face;
    face.addRoundedRect(outline.adjusted(1, 1, -1, -1), 10, 10);
    p.fillPath(face, pressed ? QColor(0, 86, 82) : QColor(0, 150, 132));

    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(face);
    QLinearGradient shade(outline.topLeft(), outline.bottomLeft());
    if (pressed) {
        shade.setColorAt(0.0, QColor(0, 40, 44, 160));
        shade.setColorAt(0.4, QColor(0, 40, 44, 0));
    } else {
        shade.setColorAt(0.0, QColor(255, 255, 255, 90));
        shade.setColorAt(0.5, QColor(255, 255, 255, 0));
        shade.setColorAt(1.0, QColor(0, 30, 40, 70));
    }
    p.fillRect(outline, shade);

    QFont font = NameFont(13, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    p.setFont(font);
    // Not quite white: white would be a hole in the button.
    p.setPen(pressed ? QColor(200, 232, 226) : QColor(250, 253, 252));
    const QPointF shift = pressed ? QPointF(1, 1) : QPointF(0, 0);
    p.drawText(outline.translated(shift), Qt::AlignCenter, QStringLiteral("OK"));
}

}  // namespace

QImage TitlePicture(qreal ratio)
{
    QImage image = NewPicture(TitlePictureSize, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawBackground(p);
    DrawBook(p);
    DrawName(p);
    return image;
}

QImage AboutButtonPicture(bool pressed, qreal ratio)
{
    QImage image = NewPicture(AboutButtonSize, ratio);
    image.fill(White);
    QPainter p(&image);
    DrawBadge(p, pressed);
    return image;
}

void DrawVersionText(QImage& title, const QFont& font)
{
    QPainter p(&title);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(SubtitleInk);
    p.drawText(QRect(VersionTextAt, TitlePictureSize), Qt::AlignLeft | Qt::AlignTop,
               QString::fromLatin1(VersionText));
}

QImage WithTransparentCorner(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == transparent)
                line[x] = 0;
    }
    return image;
}

bool IsOpaquePixel(const QImage& picture, QPoint at)
{
    const qreal ratio = picture.devicePixelRatio();
    const QPoint pixel(int(std::floor(at.x() * ratio)), int(std::floor(at.y() * ratio)));
    if (!picture.rect().contains(pixel))
        return false;
    return (picture.pixel(pixel) & White) != White;
}

}  // namespace zeb
