#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include <QFont>
#include <QFontMetrics>

#include "render/ZEBMeasurer.h"

namespace zeb {

// Measures with Qt's font engine (QtGui only, so it runs on the offscreen platform). A
// QGuiApplication must exist.
class QtMeasurer : public ZEBMeasurer {
public:
    QtMeasurer();

    std::unique_ptr<ZEBMeasurer> Clone() const override;
    void SetFont(const FontProfile& profile, int32_t sizeFactor) override;
    FontMetrics Metrics() const override { return metrics_; }
    int32_t TextExtent(std::u16string_view text) const override;

    const QFont& Font() const { return font_; }

private:
    // Book text repeats its words, and shaping a word costs far more than finding it again.
    static constexpr size_t MaxCachedWidths = 1 << 16;

    struct Hash {
        using is_transparent = void;
        size_t operator()(std::u16string_view s) const { return std::hash<std::u16string_view>{}(s); }
    };

    QFont font_;
    QFontMetrics fontMetrics_;
    FontMetrics metrics_;
    mutable std::unordered_map<std::u16string, int32_t, Hash, std::equal_to<>> widths_;
};

}  // namespace zeb
