// The six box filters on raw pixel rows: hand-computed blocks, and every factor and kind against
// the plain mean at widths that leave a remainder, with rows padded on both sides.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "render/BoxFilter.h"

namespace zeb {
namespace {

constexpr int Padding = 3;     // extra bytes at the end of every row
constexpr uint8_t Guard = 0xA5;

int BytesOf(PixelKind kind) { return kind == PixelKind::Index8 ? 1 : 4; }

// Reduces packed source rows through padded buffers; the destination's padding must stay.
std::vector<uint8_t> Reduce(PixelKind kind, int f, int width, int height,
                            const std::vector<uint8_t>& packed)
{
    const int bpp = BytesOf(kind);
    const ptrdiff_t sourceStride = width * f * bpp + Padding;
    const ptrdiff_t destinationStride = width * bpp + Padding;
    std::vector<uint8_t> source(size_t(sourceStride * height * f), Guard);
    for (int y = 0; y < height * f; ++y)
        for (int i = 0; i < width * f * bpp; ++i)
            source[size_t(y * sourceStride + i)] = packed[size_t(y * width * f * bpp + i)];
    std::vector<uint8_t> destination(size_t(destinationStride * height), Guard);
    BoxReduce(kind, f, {source.data(), sourceStride}, {destination.data(), destinationStride},
              width, height);
    std::vector<uint8_t> out;
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < width * bpp; ++i)
            out.push_back(destination[size_t(y * destinationStride + i)]);
        for (int i = width * bpp; i < destinationStride; ++i)
            EXPECT_EQ(destination[size_t(y * destinationStride + i)], Guard) << "row " << y;
    }
    return out;
}

struct Case {
    const char* name;
    PixelKind kind;
    int f;
    int width;   // destination pixels
    int height;
    std::vector<uint8_t> source;  // packed rows
    std::vector<uint8_t> expected;
};

// True colour pixels are blue, green, red and an unused byte, each averaged on its own.
std::vector<uint8_t> Pixels(std::initializer_list<std::array<uint8_t, 4>> pixels)
{
    std::vector<uint8_t> bytes;
    for (const auto& p : pixels)
        bytes.insert(bytes.end(), p.begin(), p.end());
    return bytes;
}

// The 4 x 4 block: blue 0, 16, ... 240; green 0 .. 15; red 255 but for the last sample.
std::vector<uint8_t> FourByFourBlock()
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 16; ++i)
        bytes.insert(bytes.end(), {uint8_t(16 * i), uint8_t(i), uint8_t(i < 15 ? 255 : 0), 255});
    return bytes;
}

TEST(BoxFilterTest, HandComputedBlocks)
{
    const Case cases[] = {
        // Two background and two full-ink samples give index 127, not 128.
        {"indexed 2x2", PixelKind::Index8, 2, 2, 2,
         {0, 255, 10, 20,
          255, 0, 30, 41,
          255, 255, 1, 2,
          255, 254, 3, 3},
         {127, 25, 254, 2}},
        {"indexed 3x3", PixelKind::Index8, 3, 2, 1,
         {255, 255, 255, 9, 9, 9,
          255, 0, 255, 9, 9, 9,
          255, 255, 255, 9, 9, 8},
         {226, 8}},  // 2040 / 9 and 80 / 9, truncated
        {"true colour 2x2", PixelKind::TrueColor32, 2, 1, 1,
         Pixels({{255, 0, 10, 255}, {255, 0, 10, 255},
                 {0, 0, 11, 255}, {0, 3, 11, 255}}),
         {127, 0, 10, 255}},
        {"true colour 3x3", PixelKind::TrueColor32, 3, 1, 1,
         Pixels({{100, 0, 255, 255}, {100, 1, 255, 255}, {100, 2, 255, 255},
                 {100, 3, 255, 255}, {108, 4, 255, 255}, {100, 5, 255, 255},
                 {100, 6, 255, 255}, {100, 7, 255, 255}, {100, 8, 255, 255}}),
         {100, 4, 255, 255}},  // 908 / 9, 36 / 9
        {"true colour 4x4", PixelKind::TrueColor32, 4, 1, 1, FourByFourBlock(),
         {120, 7, 239, 255}},  // 1920 / 16, 120 / 16, 3825 / 16
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Reduce(c.kind, c.f, c.width, c.height, c.source), c.expected);
    }
}

TEST(BoxFilterTest, EveryFactorAndKindIsTheTruncatedMean)
{
    const int width = 37, height = 3;  // widths no vector length divides
    for (PixelKind kind : {PixelKind::Index8, PixelKind::TrueColor32}) {
        for (int f : {2, 3, 4}) {
            SCOPED_TRACE(testing::Message() << "f " << f << " bytes " << BytesOf(kind));
            const int bpp = BytesOf(kind);
            const int rowBytes = width * f * bpp;
            std::vector<uint8_t> source(size_t(rowBytes * height * f));
            for (size_t i = 0; i < source.size(); ++i)
                source[i] = uint8_t(i * 131 + i / 7);
            std::vector<uint8_t> expected;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    for (int c = 0; c < bpp; ++c) {
                        int sum = 0;
                        for (int dy = 0; dy < f; ++dy)
                            for (int dx = 0; dx < f; ++dx)
                                sum += source[size_t((y * f + dy) * rowBytes +
                                                     (x * f + dx) * bpp + c)];
                        expected.push_back(uint8_t(sum / (f * f)));
                    }
            EXPECT_EQ(Reduce(kind, f, width, height, source), expected);
        }
    }
}

TEST(BoxFilterTest, FactorOneLeavesTheDestinationAlone)
{
    std::vector<uint8_t> source{1, 2, 3, 4};
    std::vector<uint8_t> destination(4, Guard);
    BoxReduce(PixelKind::TrueColor32, 1, {source.data(), 4}, {destination.data(), 4}, 1, 1);
    EXPECT_EQ(destination, std::vector<uint8_t>(4, Guard));
}

}  // namespace
}  // namespace zeb
