// The ramp palette of indexed line pictures, and showing indices through it.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "render/RampPalette.h"

namespace zeb {
namespace {

// Background red 10, green 200, blue 255; font colour red 250, green 20, blue 0.
constexpr ColorRef Back = 0x00FFC80A;
constexpr ColorRef Ink = 0x000014FA;

TEST(RampPaletteTest, EntriesStepTowardsTheFontColour)
{
    RampPalette palette = MakeRampPalette(Back, Ink);
    EXPECT_EQ(palette[0], Back);
    // floor(b + (c - b) * k / 256 + 0.5) per channel, rising and falling:
    // k = 1: red 10 + 0.94 + 0.5, green 200 - 0.70 + 0.5, blue 255 - 1.00 + 0.5.
    EXPECT_EQ(palette[1], 0x00FEC70Bu);
    // k = 128: red 130.5, green 110.5, blue 128.0.
    EXPECT_EQ(palette[128], 0x00806E82u);
    // k = 255: red 249.56, green 21.20, blue 1.50; the font colour itself is not reached.
    EXPECT_EQ(palette[255], 0x000115F9u);
}

TEST(RampPaletteTest, IndicesShowAsPixels)
{
    RampPalette palette = MakeRampPalette(Back, Ink);
    EXPECT_EQ(PixelOf(Back), 0xFF0AC8FFu);
    // Two rows of two indices, both buffers with padding at the row ends.
    const std::vector<uint8_t> indices{0, 128, 7, 255, 0, 7};
    std::vector<uint32_t> pixels(6, 0);
    ShowThroughPalette(palette, {indices.data(), 3},
                       {reinterpret_cast<uint8_t*>(pixels.data()), 12}, 2, 2);
    EXPECT_EQ(pixels, (std::vector<uint32_t>{PixelOf(Back), PixelOf(palette[128]), 0,
                                             PixelOf(palette[255]), PixelOf(Back), 0}));
}

}  // namespace
}  // namespace zeb
