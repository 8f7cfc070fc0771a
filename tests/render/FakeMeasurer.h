#pragma once

#include <memory>

#include "render/ZEBMeasurer.h"

namespace zeb::test {

// Exact widths for layout tests: a space is 5 pixels, "i" 4, every other character 10, all
// times the size factor; the cell is 20 high with 4 below the baseline and 3 of leading, the
// widest character 12.
class FakeMeasurer : public ZEBMeasurer {
public:
    static constexpr int32_t Space = 5, Narrow = 4, Wide = 10, Max = 12;
    static constexpr int32_t Height = 20, Descent = 4, Leading = 3;

    std::unique_ptr<ZEBMeasurer> Clone() const override { return std::make_unique<FakeMeasurer>(*this); }
    void SetFont(const FontProfile&, int32_t sizeFactor) override { f_ = sizeFactor; }
    FontMetrics Metrics() const override
    {
        return {Height * f_, Descent * f_, Leading * f_, Max * f_};
    }
    int32_t TextExtent(std::u16string_view text) const override
    {
        int32_t width = 0;
        for (char16_t c : text)
            width += c == u' ' ? Space : c == u'i' ? Narrow : Wide;
        return width * f_;
    }

private:
    int32_t f_ = 1;
};

}  // namespace zeb::test
