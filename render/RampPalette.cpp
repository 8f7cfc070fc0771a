#include "render/RampPalette.h"

#include <cstddef>
#include <cstring>

namespace zeb {

namespace {

// floor(b + (c - b) * k / 256 + 0.5) in exact integers: the floor of a quotient that may be
// negative.
int32_t RampComponent(int32_t b, int32_t c, int32_t k)
{
    int32_t n = (c - b) * k + 128;
    return b + (n >= 0 ? n / 256 : -((-n + 255) / 256));
}

int32_t Component(ColorRef c, int shift) { return int32_t(c >> shift & 0xFF); }

}  // namespace

RampPalette MakeRampPalette(ColorRef background, ColorRef font)
{
    RampPalette palette{};
    palette[0] = background & 0xFFFFFF;
    for (int32_t k = 1; k < 256; ++k) {
        ColorRef entry = 0;
        for (int shift : {0, 8, 16}) {
            int32_t value = RampComponent(Component(background, shift), Component(font, shift), k);
            entry |= ColorRef(value) << shift;
        }
        palette[size_t(k)] = entry;
    }
    return palette;
}

void ShowThroughPalette(const RampPalette& palette, PixelRows indices, MutablePixelRows pixels,
                        int32_t width, int32_t height)
{
    std::array<uint32_t, 256> values;
    for (size_t k = 0; k < values.size(); ++k)
        values[k] = PixelOf(palette[k]);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = indices.Row(y);
        uint8_t* out = pixels.Row(y);
        for (int32_t x = 0; x < width; ++x)
            std::memcpy(out + 4 * x, &values[in[x]], 4);
    }
}

}  // namespace zeb
