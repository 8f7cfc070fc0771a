#pragma once

// The measuring canvas of the book target: no fonts, every code unit equally wide, so that
// layout depends on the text alone and runs fast.
#include <memory>

#include "render/ZEBMeasurer.h"

namespace zeb::fuzz {

class FixedWidthMeasurer : public ZEBMeasurer {
public:
    static constexpr int32_t Width = 7, Height = 16, Descent = 4, Leading = 2;

    std::unique_ptr<ZEBMeasurer> Clone() const override
    {
        return std::make_unique<FixedWidthMeasurer>(*this);
    }
    void SetFont(const FontProfile&, int32_t sizeFactor) override { f_ = sizeFactor; }
    FontMetrics Metrics() const override
    {
        return {Height * f_, Descent * f_, Leading * f_, Width * f_};
    }
    int32_t TextExtent(std::u16string_view text) const override
    {
        return int32_t(text.size()) * Width * f_;
    }

private:
    int32_t f_ = 1;
};

}  // namespace zeb::fuzz
