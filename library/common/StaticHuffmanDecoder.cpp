// The block format shared by ARJ methods 1 to 3 and LHA's -lh4- to -lh7-. It goes back to
// Haruhiko Okumura's public-domain ar002, which LHA and ARJ adopted. Bits come most
// significant first.
//
// A block opens with a 16-bit count of the symbols it codes (0 stands for 65536), then three
// canonical Huffman codes, each sent as code lengths after a count of them:
// - the code-length code (19 symbols, count in 5 bits): lengths 0 to 6 in 3 bits; 7 and more
//   as 7 plus the number of 1 bits that follow, ended by a 0; after the third length a 2-bit
//   count of zero lengths;
// - the literal/length code (510 symbols: the 256 bytes, then match lengths 3 to 256; count in
//   9 bits), its lengths sent in the code-length code: 0 is one zero length, 1 is 3 plus a
//   4-bit count of them, 2 is 20 plus a 9-bit count, and c >= 3 the length c - 2;
// - the distance-class code (count in 4 or 5 bits, as the method's window needs), its lengths
//   as in the first code but without the zero run.
// A count of 0 is followed by one symbol in the count's width: the code then always gives it
// and takes no bits. Distance class j stands for 0 when j is 0, otherwise for 2^(j-1) plus
// j - 1 more bits; the copy starts that distance plus 1 back. Lengths that do not fill the
// code space exactly are damaged data. The member's original size ends the data.
#include "library/common/StaticHuffmanDecoder.h"

#include <algorithm>

#include "library/common/ArchiveDataError.h"

namespace zeb {

namespace {

constexpr int LiteralSymbols = 510;  // 256 literals, match lengths 3 to 256
constexpr int LiteralCountBits = 9;
constexpr int LengthSymbols = 19;
constexpr int LengthCountBits = 5;
constexpr int LiteralTableBits = 12;
constexpr int SmallTableBits = 8;
constexpr int MinMatch = 3;

}  // namespace

StaticHuffmanDecoder::StaticHuffmanDecoder(int distanceClasses, int distanceCountBits)
    : distanceCountBits_(distanceCountBits), lengthCode_(LengthSymbols, SmallTableBits),
      literalCode_(LiteralSymbols, LiteralTableBits), distanceCode_(distanceClasses, SmallTableBits)
{
}

void StaticHuffmanDecoder::Decode(BitInput& in, SlidingWindow& window)
{
    uint32_t blockLeft = 0;
    while (!window.Done()) {
        if (blockLeft == 0) {
            // A count of 0 stands for 65536 symbols, as a 16-bit counter wraps.
            blockLeft = in.Get(16);
            if (blockLeft == 0)
                blockLeft = 0x10000;
            ReadBlockHeader(in);
        }
        --blockLeft;
        int symbol = literalCode_.Decode(in);
        if (symbol < 256)
            window.Literal(uint8_t(symbol));
        else
            window.Match(ReadDistance(in), symbol - 256 + MinMatch);
    }
    window.Finish();
}

void StaticHuffmanDecoder::ReadBlockHeader(BitInput& in)
{
    ReadSmallCode(in, lengthCode_, LengthCountBits, 3);
    ReadLiteralCode(in);
    ReadSmallCode(in, distanceCode_, distanceCountBits_, -1);
}

// Lengths 0 to 6 in 3 bits; 7 and up as 7 followed by one more 1 bit per step and a 0.
// After zeroRunAfter lengths a 2-bit count of zero lengths may follow.
void StaticHuffmanDecoder::ReadSmallCode(BitInput& in, HuffmanTable& table, int countBits,
                                         int zeroRunAfter)
{
    int symbols = table.SymbolCount();
    int n = int(in.Get(countBits));
    if (n == 0) {
        table.SetSingle(int(in.Get(countBits)));
        return;
    }
    if (n > symbols)
        throw ArchiveDataError();
    uint8_t lengths[32] = {};
    int i = 0;
    while (i < n) {
        uint16_t bits = in.Peek16();
        int len = bits >> 13;
        if (len == 7) {
            for (uint16_t mask = 1u << 12; mask && (bits & mask); mask >>= 1)
                ++len;
            if (len > 16)
                throw ArchiveDataError();  // no code is that long
        }
        in.Skip(len < 7 ? 3 : len - 3);
        lengths[i++] = uint8_t(len);
        if (i == zeroRunAfter) {
            int zeros = int(in.Get(2));
            if (i + zeros > symbols)
                throw ArchiveDataError();
            i += zeros;  // lengths[] is already zero there
        }
    }
    table.Build(lengths);
}

// Each length is sent with the length code: 0 one zero, 1 a 4-bit count + 3 zeros, 2 a 9-bit
// count + 20 zeros, c >= 3 the length c - 2.
void StaticHuffmanDecoder::ReadLiteralCode(BitInput& in)
{
    int n = int(in.Get(LiteralCountBits));
    if (n == 0) {
        literalCode_.SetSingle(int(in.Get(LiteralCountBits)));
        return;
    }
    if (n > LiteralSymbols)
        throw ArchiveDataError();
    uint8_t lengths[LiteralSymbols] = {};
    int i = 0;
    while (i < n) {
        int c = lengthCode_.Decode(in);
        if (c > 2) {
            lengths[i++] = uint8_t(c - 2);
            continue;
        }
        int zeros = c == 0 ? 1 : c == 1 ? int(in.Get(4)) + 3 : int(in.Get(LiteralCountBits)) + 20;
        if (i + zeros > LiteralSymbols)
            throw ArchiveDataError();
        i += zeros;
    }
    literalCode_.Build(lengths);
}

// Class 0 is distance 0; class j > 0 covers 2^(j-1) .. 2^j - 1 with j - 1 extra bits.
int32_t StaticHuffmanDecoder::ReadDistance(BitInput& in)
{
    int j = distanceCode_.Decode(in);
    if (j == 0)
        return 0;
    return int32_t((1u << (j - 1)) + in.Get(j - 1));
}

}  // namespace zeb
