// Decoding walks down the tree of sums; halving leaves counts of 0 and 1 as they are.
#include "library/ha/HaFrequencyTree.h"

namespace zeb {

HaFrequencyTree::HaFrequencyTree(int symbols, uint32_t initial)
    : n_(symbols), counts_(size_t(2 * symbols))
{
    for (int s = 0; s < n_; ++s)
        counts_[size_t(n_ + s)] = initial;
    RebuildSums();
}

void HaFrequencyTree::RebuildSums()
{
    for (int k = n_ - 1; k >= 1; --k)
        counts_[size_t(k)] = counts_[size_t(2 * k)] + counts_[size_t(2 * k + 1)];
}

void HaFrequencyTree::Add(int symbol, uint32_t step, uint32_t limit)
{
    for (int k = n_ + symbol; k >= 1; k >>= 1)
        counts_[size_t(k)] += step;
    if (counts_[1] < limit)
        return;
    for (int k = n_; k < 2 * n_; ++k) {
        if (counts_[size_t(k)] > 1)
            counts_[size_t(k)] >>= 1;
    }
    RebuildSums();
}

void HaFrequencyTree::Remove(int symbol)
{
    uint32_t count = Count(symbol);
    for (int k = n_ + symbol; k >= 1; k >>= 1)
        counts_[size_t(k)] -= count;
}

int HaFrequencyTree::Decode(HaArithmeticDecoder& coder, uint32_t total) const
{
    uint32_t t = coder.Threshold(total);
    uint32_t lo = 0;
    int k = 2;
    for (;;) {
        if (lo + counts_[size_t(k)] <= t) {
            lo += counts_[size_t(k)];
            ++k;
        }
        if (k >= n_)
            break;
        k *= 2;
    }
    coder.Consume(lo, lo + counts_[size_t(k)], total);
    return k - n_;
}

}  // namespace zeb
