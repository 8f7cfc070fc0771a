#include "TextOnScreen.h"

#include <cstdlib>
#include <unordered_map>

namespace zeb::bench {

namespace {

// How far a pixel must be from the background to count as ink: antialiased edges are grey, so
// only the darker part of a glyph counts.
constexpr int InkDistance = 96;

QRgb CommonestColour(const QImage& picture)
{
    std::unordered_map<QRgb, int> counts;
    for (int y = 0; y < picture.height(); y += 3) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); x += 3)
            ++counts[row[x] & 0xFFFFFF];
    }
    QRgb commonest = 0;
    int most = -1;
    for (const auto& [colour, count] : counts)
        if (count > most)
            commonest = colour, most = count;
    return commonest;
}

int Distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// A row is inked when at least 1 % and at most 60 % of its pixels are ink: a text line, not an
// empty row or a filled bar.
bool InkedRow(const QImage& picture, int y, QRgb background)
{
    const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    int ink = 0;
    for (int x = 0; x < picture.width(); ++x)
        ink += Distance(row[x], background) >= InkDistance;
    return ink * 100 >= picture.width() && ink * 100 <= picture.width() * 60;
}

}  // namespace

int TextBands(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb background = CommonestColour(rgb);
    int bands = 0, height = 0;
    for (int y = 0; y <= rgb.height(); ++y) {
        if (y < rgb.height() && InkedRow(rgb, y, background)) {
            ++height;
            continue;
        }
        bands += height >= 3 && height <= 80;
        height = 0;
    }
    return bands;
}

bool ShowsTextPage(const QImage& picture, const QImage& empty, int minLines)
{
    return picture != empty && TextBands(picture) >= minLines;
}

}  // namespace zeb::bench
