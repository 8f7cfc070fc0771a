// The static-Huffman LZ77 decoder of ARJ methods 1 to 3 and LHA's -lh4- to -lh7-; the notes
// on its block format are in StaticHuffmanDecoder.cpp.
#pragma once

#include <cstdint>

#include "library/common/BitInput.h"
#include "library/common/HuffmanTable.h"
#include "library/common/SlidingWindow.h"

namespace zeb {

// The block-wise static-Huffman LZ77 scheme shared by ARJ methods 1 to 3 and LHA's -lh4- and
// -lh5-: each block sends its symbol count and three canonical codes (code lengths, literals
// and match lengths, distance classes), then its symbols.
class StaticHuffmanDecoder {
public:
    // distanceClasses symbols whose count is sent in distanceCountBits bits.
    StaticHuffmanDecoder(int distanceClasses, int distanceCountBits);

    // Decodes until the window has produced its total.
    void Decode(BitInput& in, SlidingWindow& window);

private:
    void ReadBlockHeader(BitInput& in);
    void ReadSmallCode(BitInput& in, HuffmanTable& table, int countBits, int zeroRunAfter);
    void ReadLiteralCode(BitInput& in);
    int32_t ReadDistance(BitInput& in);

    int distanceCountBits_;
    HuffmanTable lengthCode_;    // the code that sends the literal/length code lengths
    HuffmanTable literalCode_;   // literals and match lengths
    HuffmanTable distanceCode_;  // distance classes
};

}  // namespace zeb
