// Adaptive symbol counts of HA's ASC model, kept as a tree of sums.
#pragma once

#include <cstdint>
#include <vector>

#include "library/ha/HaArithmeticDecoder.h"

namespace zeb {

// Adaptive symbol counts for ASC, kept as a binary tree of sums: symbol s at index n + s, each
// index k below n the sum of 2k and 2k + 1, so index 1 holds the total. n is a power of two.
class HaFrequencyTree {
public:
    HaFrequencyTree(int symbols, uint32_t initial);

    uint32_t Total() const { return counts_[1]; }
    uint32_t Count(int symbol) const { return counts_[size_t(n_ + symbol)]; }

    // Adds step to symbol; when the total reaches limit all counts above 1 are halved.
    void Add(int symbol, uint32_t step, uint32_t limit);
    // Takes symbol out: its count becomes 0.
    void Remove(int symbol);
    // Decodes a symbol from its count range; total may exceed Total(), the excess being an
    // escape range the caller has ruled out.
    int Decode(HaArithmeticDecoder& coder, uint32_t total) const;

private:
    void RebuildSums();

    int n_;
    std::vector<uint32_t> counts_;
};

}  // namespace zeb
