#include "render/QtMeasurer.h"

#include <QString>

#include "render/ProfileFont.h"

namespace zeb {

QtMeasurer::QtMeasurer() : fontMetrics_(font_) {}

std::unique_ptr<ZEBMeasurer> QtMeasurer::Clone() const
{
    auto copy = std::make_unique<QtMeasurer>();
    copy->font_ = font_;
    copy->fontMetrics_ = fontMetrics_;
    copy->metrics_ = metrics_;
    return copy;
}

void QtMeasurer::SetFont(const FontProfile& profile, int32_t sizeFactor)
{
    font_ = BuildProfileFont(profile, sizeFactor);
    fontMetrics_ = QFontMetrics(font_);
    widths_.clear();
    // The text metrics of the original platform: the cell height, and the leading inside it
    // above the em square.
    metrics_.Height = fontMetrics_.ascent() + fontMetrics_.descent();
    metrics_.Descent = fontMetrics_.descent();
    metrics_.InternalLeading = metrics_.Height - font_.pixelSize();
    metrics_.MaxCharWidth = fontMetrics_.maxWidth();
}

int32_t QtMeasurer::TextExtent(std::u16string_view text) const
{
    auto hit = widths_.find(text);
    if (hit != widths_.end())
        return hit->second;
    int32_t width = fontMetrics_.horizontalAdvance(
        QString::fromUtf16(text.data(), qsizetype(text.size())));
    if (widths_.size() >= MaxCachedWidths)
        widths_.clear();
    widths_.emplace(text, width);
    return width;
}

}  // namespace zeb
