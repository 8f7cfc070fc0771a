#include "render/BoxFilter.h"

#include <vector>

namespace zeb {

namespace {

// Sums the f source rows of each destination row first (a plain loop over bytes that the
// compiler vectorises), then the f columns of each sample block; the fixed f and channel
// count let both loops unroll.
template <int Channels, int F>
void Reduce(PixelRows source, MutablePixelRows destination, int32_t width, int32_t height)
{
    const ptrdiff_t rowBytes = ptrdiff_t(width) * F * Channels;
    std::vector<uint16_t> sums(static_cast<size_t>(rowBytes));
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* first = source.Row(y * F);
        for (ptrdiff_t i = 0; i < rowBytes; ++i)
            sums[size_t(i)] = first[i];
        for (int r = 1; r < F; ++r) {
            const uint8_t* row = first + r * source.Stride;
            for (ptrdiff_t i = 0; i < rowBytes; ++i)
                sums[size_t(i)] = uint16_t(sums[size_t(i)] + row[i]);
        }
        const uint16_t* block = sums.data();
        uint8_t* out = destination.Row(y);
        for (int32_t x = 0; x < width; ++x, block += F * Channels, out += Channels) {
            for (int c = 0; c < Channels; ++c) {
                unsigned sum = 0;
                for (int i = 0; i < F; ++i)
                    sum += block[i * Channels + c];
                out[c] = uint8_t(sum / (F * F));
            }
        }
    }
}

template <int Channels>
void ReduceBy(int32_t f, PixelRows source, MutablePixelRows destination, int32_t width,
              int32_t height)
{
    switch (f) {
    case 2:
        Reduce<Channels, 2>(source, destination, width, height);
        break;
    case 3:
        Reduce<Channels, 3>(source, destination, width, height);
        break;
    case 4:
        Reduce<Channels, 4>(source, destination, width, height);
        break;
    default:
        break;
    }
}

}  // namespace

void BoxReduce(PixelKind kind, int32_t f, PixelRows source, MutablePixelRows destination,
               int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return;
    if (kind == PixelKind::Index8)
        ReduceBy<1>(f, source, destination, width, height);
    else
        ReduceBy<4>(f, source, destination, width, height);
}

}  // namespace zeb
