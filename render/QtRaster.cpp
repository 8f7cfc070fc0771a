#include "render/QtRaster.h"

#include <algorithm>
#include <cmath>
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

// The supersampled picture while its characters are drawn: one painter stays open from the
// first character to the last, since opening one per character costs more than the drawing.
class EnlargedPicture : public QtLineBitmap {
public:
    using QtLineBitmap::QtLineBitmap;

    void DrawGlyph(const ZEBRenderQuenue& request, std::u16string_view glyph)
    {
        if (Image.isNull())
            return;
        if (!painter_.isActive())
            BeginPainting(request);
        painter_.drawText(QPointF(request.CursorX, baseline_),
                          QString::fromUtf16(glyph.data(), qsizetype(glyph.size())));
    }
    void EndPainting()
    {
        if (painter_.isActive())
            painter_.end();
    }

private:
    void BeginPainting(const ZEBRenderQuenue& request)
    {
        const QtMeasurer& canvas = CanvasOf(request);
        QFont font = canvas.Font();
        QColor ink(FullInk, FullInk, FullInk);
        if (request.Metrics.TrueColor)
            ink = QColor::fromRgb(PixelOf(request.Metrics.FontColor));
        else
            font.setStyleStrategy(QFont::NoAntialias);  // every sample is background or ink
        painter_.begin(&Image);
        painter_.setFont(font);
        painter_.setPen(ink);
        // Characters are placed by the top of their cell; Qt draws at the baseline.
        const FontMetrics tm = canvas.Metrics();
        baseline_ = request.TextTop * request.Metrics.SupersampleFactor + tm.Height - tm.Descent;
    }

    QPainter painter_;
    int32_t baseline_ = 0;
};

EnlargedPicture& EnlargedOf(const ZEBRenderQuenue& request)
{
    return static_cast<EnlargedPicture&>(*request.Enlarged);
}

// The screen pixels a span of view pixels covers at ratio: whole ones, so that the reduction by
// the supersampling factor comes out exact.
int32_t DevicePixels(int32_t viewPixels, double ratio)
{
    return int32_t(std::ceil(viewPixels * ratio - 1e-9));
}

void CreateEnlargedPicture(ZEBRenderQuenue& request, double ratio, QImage& spare)
{
    const int32_t f = request.Metrics.SupersampleFactor;
    const QSize size(DevicePixels(request.Metrics.ViewWidth, ratio) * f,
                     DevicePixels(request.LineHeight, ratio) * f);
    const QImage::Format format =
        request.Metrics.TrueColor ? QImage::Format_RGB32 : QImage::Format_Grayscale8;
    QImage image = spare.size() == size && spare.format() == format ? std::move(spare)
                                                                     : QImage(size, format);
    spare = QImage();
    // A painter on the picture then works in view pixels times f.
    image.setDevicePixelRatio(ratio);
    request.Enlarged = std::make_unique<EnlargedPicture>(std::move(image));
    request.StepCounter = 0;
}

// Fills columns from .. to of every row with value: the first row by pixels, the others
// copied from it.
template <typename Pixel>
void FillColumns(QImage& image, int32_t from, int32_t to, Pixel value)
{
    if (image.height() == 0 || from >= to)
        return;
    MutablePixelRows rows{image.bits(), image.bytesPerLine()};
    Pixel* first = reinterpret_cast<Pixel*>(rows.Row(0)) + from;
    std::fill(first, first + (to - from), value);
    const size_t bytes = size_t(to - from) * sizeof(Pixel);
    for (int32_t y = 1; y < image.height(); ++y)
        std::memcpy(rows.Row(y) + from * ptrdiff_t(sizeof(Pixel)), first, bytes);
}

void FillStrip(ZEBRenderQuenue& request, int32_t strip)
{
    QImage& image = ImageOf(request.Enlarged);
    const int32_t from = (image.width() * strip) >> 3;
    const int32_t to = (image.width() * (strip + 1)) >> 3;
    if (request.Metrics.TrueColor)
        FillColumns(image, from, to, PixelOf(request.Metrics.BackColor));
    else
        FillColumns(image, from, to, NoInk);
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

void NoteHighlight(ZEBRenderQuenue& request, int32_t advance)
{
    const ZEBRenderQuenueWord& word = request.Words[request.CursorWord];
    const int32_t at = int32_t(request.CursorChar);
    if (at < word.HighlightFrom || at >= word.HighlightTo)
        return;
    auto& spans = request.Highlights;
    if (!spans.empty() && spans.back().second == request.CursorX)
        spans.back().second += advance;
    else
        spans.emplace_back(request.CursorX, request.CursorX + advance);
}

void DrawNextCharacter(ZEBRenderQuenue& request)
{
    std::u16string_view glyph = GlyphAt(request.Words[request.CursorWord].Text, request.CursorChar);
    EnlargedOf(request).DrawGlyph(request, glyph);
    const int32_t advance = AdvanceOf(request, glyph);
    NoteHighlight(request, advance);
    request.CursorX += advance;
    request.CursorChar += glyph.size();
}

// A phrase found shows in inverse colours, which read well on every background and font colour.
void InvertHighlights(ZEBRenderQuenue& request, QImage& image)
{
    if (request.Highlights.empty())
        return;
    const double f = request.Metrics.SupersampleFactor;
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const auto& [from, to] : request.Highlights)
        painter.fillRect(QRectF(from / f, 0, (to - from) / f, request.LineHeight), Qt::white);
}

void CreateReducedPicture(ZEBRenderQuenue& request)
{
    EnlargedOf(request).EndPainting();
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

void ReduceAndStore(ZEBRenderQuenue& request, QImage& spare)
{
    QImage& reduced = ImageOf(request.Reduced);
    if (request.Enlarged) {
        const QImage& enlarged = ImageOf(request.Enlarged);
        BoxReduce(KindOf(request), request.Metrics.SupersampleFactor,
                  {enlarged.constBits(), enlarged.bytesPerLine()},
                  {reduced.bits(), reduced.bytesPerLine()}, reduced.width(), reduced.height());
        spare = std::move(ImageOf(request.Enlarged));
        request.Enlarged.reset();
    }
    if (request.Metrics.TrueColor)
        request.Result = std::move(request.Reduced);
    else
        request.Result = std::make_unique<QtLineBitmap>(ShowIndexed(reduced, request.Metrics));
    request.Reduced.reset();
    InvertHighlights(request, ImageOf(request.Result));
}

}  // namespace

void QtRasterStep::SetDevicePixelRatio(double ratio)
{
    ratio_ = std::max(ratio, 1.0);
}

bool QtRasterStep::Advance(ZEBRenderQuenue& request)
{
    switch (request.StepState) {
    case CreateEnlarged:
        CreateEnlargedPicture(request, ratio_, spare_);
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
        ReduceAndStore(request, spare_);
        request.StepState = ZEBRenderQuenue::Finished;
        return true;
    default:
        return false;
    }
}

}  // namespace zeb
