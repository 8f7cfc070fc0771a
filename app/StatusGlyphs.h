#pragma once

#include <map>

#include <QColor>
#include <QImage>
#include <QStringView>

namespace zeb {

// The status display's texts are drawn in this green.
inline const QColor StatusTextColor(0, 224, 0);

// Resource ids of the glyph pictures the percent and the clock are drawn with.
constexpr int GlyphDigitZero = 0x418;  // "0"; "1" .. "9" follow up to 0x421
constexpr int GlyphPoint = 0x416;
constexpr int GlyphPercent = 0x40D;
constexpr int GlyphColon = 0x422;
constexpr int GlyphOther = 0x408;

// The id of the picture that draws c.
int GlyphId(char16_t c);

// The fourteen glyph pictures, drawn here as lit display segments in the status green on the
// toolbar colour, so that percent and clock look the same on every system. They are made at a
// whole device pixel ratio, so they stay sharp on screens that double their pixels.
class StatusGlyphs {
public:
    explicit StatusGlyphs(int pixelRatio);

    int PixelRatio() const { return ratio_; }
    const QImage& Picture(int id) const;
    // A new 24-bit picture of text: the characters' pictures side by side, as high as "0".
    QImage TextPicture(QStringView text) const;

private:
    int ratio_;
    std::map<int, QImage> pictures_;
};

}  // namespace zeb
