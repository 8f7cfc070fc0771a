#include "render/QtRaster.h"

#include <algorithm>
#include <cstring>

#include <QPainter>
#include <QString>

#include "render/BoxFilter.h"
#include "render/QtLineBitmap.h"
#include "render/QtMeasurer.h"
#include "render/RampPalette.h"

namespace zeb {

namespace {

enum StepState : int {
    CreateEnlarged = 0,
    FillBackground = 1,
    DrawCharacters = 2,
    CreateReduced = 3,
    ReduceLine = 4,
};

// The background goes in in this many column strips, one per step.
constexpr int32_t Strips = 8;

// Indexed pictures hold palette indices: the background is 0, full ink 255.
constexpr uint8_t NoInk = 0;
constexpr int FullInk = 255;

QImage& ImageOf(const std::unique_ptr<ZEBLineBitmap>& bitmap)
{
    return static_cast<QtLineBitmap&>(*bitmap).Image;
}

PixelKind KindOf(const ZEBRenderQuenue& request)
{
    return request.Metrics.TrueColor ? PixelKind::TrueColor32 : PixelKind::Index8;
}

const QtMeasurer& CanvasOf(const ZEBRenderQuenue& request)
{
    return dynamic_cast<const QtMeasurer&>(*request.Canvas);
}

void CreateEnlargedPicture(ZEBRenderQuenue& request, int ratio)
{
    const int32_t scale = request.Metrics.SupersampleFactor * ratio;
    QImage image(request.Metrics.ViewWidth * scale, request.LineHeight * scale,
                 request.Metrics.TrueColor ? QImage::Format_RGB32 : QImage::Format_Grayscale8);
    // A painter on the picture then works in view pixels times f.
    image.setDevicePixelRatio(ratio);
    request.Enlarged = std::make_unique<QtLineBitmap>(std::move(image));
    request.StepCounter = 0;
}

void FillStrip(ZEBRenderQuenue& request, int32_t strip)
{
    QImage& image = ImageOf(request.Enlarged);
    const int32_t width = image.width();
    const int32_t from = (width * strip) >> 3;
    const int32_t to = (width * (strip + 1)) >> 3;
    MutablePixelRows rows{image.bits(), image.bytesPerLine()};
    const uint32_t back = PixelOf(request.Metrics.BackColor);
    for (int32_t y = 0; y < image.height(); ++y) {
        if (KindOf(request) == PixelKind::TrueColor32)
            std::fill(reinterpret_cast<uint32_t*>(rows.Row(y)) + from,
                      reinterpret_cast<uint32_t*>(rows.Row(y)) + to, back);
        else
            std::memset(rows.Row(y) + from, NoInk, size_t(to - from));
    }
}

// Puts the drawing cursor at the start of word index (or past the last word).
void MoveToWord(ZEBRenderQuenue& request, size_t index)
{
    request.CursorWord = index;
    request.CursorChar = 0;
    if (index < request.Words.size())
        request.CursorX = request.Words[index].X * request.Metrics.SupersampleFactor;
}

// Moves the cursor past finished and empty words; false when no character is left.
bool SeekCharacter(ZEBRenderQuenue& request)
{
    while (request.CursorWord < request.Words.size() &&
           request.CursorChar >= request.Words[request.CursorWord].Text.size())
        MoveToWord(request, request.CursorWord + 1);
    return request.CursorWord < request.Words.size();
}

// One character, or the two halves of a surrogate pair, which only drawn together make one.
std::u16string_view GlyphAt(const std::u16string& text, size_t at)
{
    bool pair = at + 1 < text.size() && QChar::isHighSurrogate(text[at]) &&
                QChar::isLowSurrogate(text[at + 1]);
    return std::u16string_view(text).substr(at, pair ? 2 : 1);
}

int32_t AdvanceOf(const ZEBRenderQuenue& request, std::u16string_view glyph)
{
    if (glyph.size() == 1)
        return GlyphAdvance(request.Metrics, *request.Canvas, glyph[0]);
    return request.Metrics.Proportional ? request.Canvas->TextExtent(glyph)
                                        : int32_t(glyph.size()) * request.Metrics.MaxCharWidth;
}

void DrawGlyph(ZEBRenderQuenue& request, std::u16string_view glyph)
{
    QImage& image = ImageOf(request.Enlarged);
    if (image.isNull())
        return;
    const QtMeasurer& canvas = CanvasOf(request);
    QFont font = canvas.Font();
    QColor ink(FullInk, FullInk, FullInk);
    if (request.Metrics.TrueColor)
        ink = QColor::fromRgb(PixelOf(request.Metrics.FontColor));
    else
        font.setStyleStrategy(QFont::NoAntialias);  // every sample is background or ink
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(ink);
    // The position is the top of the character cell; Qt draws at the baseline.
    const FontMetrics tm = canvas.Metrics();
    const int32_t top = request.TextTop * request.Metrics.SupersampleFactor;
    painter.drawText(QPointF(request.CursorX, top + tm.Height - tm.Descent),
                     QString::fromUtf16(glyph.data(), qsizetype(glyph.size())));
}

void DrawNextCharacter(ZEBRenderQuenue& request)
{
    std::u16string_view glyph = GlyphAt(request.Words[request.CursorWord].Text, request.CursorChar);
    DrawGlyph(request, glyph);
    request.CursorX += AdvanceOf(request, glyph);
    request.CursorChar += glyph.size();
}

void CreateReducedPicture(ZEBRenderQuenue& request)
{
    const int32_t f = request.Metrics.SupersampleFactor;
    if (f == 1) {
        request.Reduced = std::move(request.Enlarged);
        return;
    }
    const QImage& enlarged = ImageOf(request.Enlarged);
    QImage image(enlarged.width() / f, enlarged.height() / f, enlarged.format());
    image.setDevicePixelRatio(enlarged.devicePixelRatio());
    request.Reduced = std::make_unique<QtLineBitmap>(std::move(image));
}

// Indices through the ramp into 32-bit pixels, once, so that painting the line is a copy.
QImage ShowIndexed(const QImage& indices, const RenderMetrics& metrics)
{
    QImage pixels(indices.size(), QImage::Format_RGB32);
    pixels.setDevicePixelRatio(indices.devicePixelRatio());
    ShowThroughPalette(MakeRampPalette(metrics.BackColor, metrics.FontColor),
                       {indices.constBits(), indices.bytesPerLine()},
                       {pixels.bits(), pixels.bytesPerLine()}, pixels.width(), pixels.height());
    return pixels;
}

void ReduceAndStore(ZEBRenderQuenue& request)
{
    QImage& reduced = ImageOf(request.Reduced);
    if (request.Enlarged) {
        const QImage& enlarged = ImageOf(request.Enlarged);
        BoxReduce(KindOf(request), request.Metrics.SupersampleFactor,
                  {enlarged.constBits(), enlarged.bytesPerLine()},
                  {reduced.bits(), reduced.bytesPerLine()}, reduced.width(), reduced.height());
        request.Enlarged.reset();
    }
    if (request.Metrics.TrueColor)
        request.Result = std::move(request.Reduced);
    else
        request.Result = std::make_unique<QtLineBitmap>(ShowIndexed(reduced, request.Metrics));
    request.Reduced.reset();
}

}  // namespace

void QtRasterStep::SetDevicePixelRatio(int ratio)
{
    ratio_ = std::max(ratio, 1);
}

bool QtRasterStep::Advance(ZEBRenderQuenue& request)
{
    switch (request.StepState) {
    case CreateEnlarged:
        CreateEnlargedPicture(request, ratio_);
        request.StepState = FillBackground;
        return true;
    case FillBackground:
        FillStrip(request, request.StepCounter);
        if (++request.StepCounter == Strips) {
            MoveToWord(request, 0);
            request.StepState = SeekCharacter(request) ? DrawCharacters : CreateReduced;
        }
        return true;
    case DrawCharacters:
        DrawNextCharacter(request);
        if (!SeekCharacter(request))
            request.StepState = CreateReduced;
        return true;
    case CreateReduced:
        CreateReducedPicture(request);
        request.StepState = ReduceLine;
        return true;
    case ReduceLine:
        ReduceAndStore(request);
        request.StepState = ZEBRenderQuenue::Finished;
        return true;
    default:
        return false;
    }
}

}  // namespace zeb
