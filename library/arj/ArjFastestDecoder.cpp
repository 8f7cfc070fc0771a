// ARJ method 4, "fastest": LZ77 without Huffman codes, over the 26624-byte window of methods
// 1 to 3, bits read most significant first.
// Each item opens with a length code: k one bits (at most 7; fewer are ended by a 0 bit), then
// k bits v, giving 2^k - 1 + v. Code 0 is a literal whose 8 bits follow. Any other code is a
// match code + 2 bytes long, and its distance follows: k one bits (at most 4, ended likewise),
// then 9 + k bits v, giving 512 * (2^k - 1) + v; the copy starts that distance plus 1 back.
// The member's original size ends the data.
#include "library/arj/ArjFastestDecoder.h"

namespace zeb {

namespace {

// A number sent as k one bits (at most maxOnes, ended by a 0 bit when fewer), then
// k + extraBits more bits v; its value is base(k) + v with base(k) = (2^k - 1) << extraBits.
uint32_t ReadPrefixed(BitInput& in, int maxOnes, int extraBits)
{
    int k = 0;
    while (k < maxOnes && in.GetBit())
        ++k;
    return (((1u << k) - 1) << extraBits) + in.Get(k + extraBits);
}

constexpr int LengthOnes = 7;
constexpr int DistanceOnes = 4;
constexpr int DistanceBits = 9;

}  // namespace

void DecodeArjFastest(BitInput& in, SlidingWindow& window)
{
    while (!window.Done()) {
        uint32_t code = ReadPrefixed(in, LengthOnes, 0);
        if (code == 0) {
            window.Literal(uint8_t(in.Get(8)));
            continue;
        }
        int32_t length = int32_t(code) + 2;
        window.Match(int32_t(ReadPrefixed(in, DistanceOnes, DistanceBits)), length);
    }
    window.Finish();
}

}  // namespace zeb
