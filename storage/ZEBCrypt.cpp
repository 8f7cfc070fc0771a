#include "storage/ZEBCrypt.h"

#include <algorithm>
#include <cstring>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <type_traits>

#include "platform/LittleEndian.h"

namespace zeb {

long double ZEBRandom::Next()
{
    do {
        x_ = x_ / c_;
        x_ = x_ + c_;
        // The integer part is taken from x rounded to double precision, not from x itself.
        x_ = x_ - std::floor(static_cast<double>(x_));
        c_ = c_ + 1e-8L;
    } while (x_ < 0.5L);
    return 2 * x_ - 1;
}

namespace {

constexpr int ValueCount = 65536;

// Swaps the places of a and b in the circular order given by next/prev.
void ExchangePlaces(std::vector<uint16_t>& next, std::vector<uint16_t>& prev, uint16_t a, uint16_t b)
{
    if (a == b)
        return;
    if (next[b] == a)
        std::swap(a, b);
    if (next[a] == b) {
        uint16_t p = prev[a], n = next[b];
        next[p] = b; prev[b] = p;
        next[b] = a; prev[a] = b;
        next[a] = n; prev[n] = a;
        return;
    }
    uint16_t pa = prev[a], na = next[a], pb = prev[b], nb = next[b];
    next[pa] = b; prev[b] = pa;
    next[b] = na; prev[na] = b;
    next[pb] = a; prev[a] = pb;
    next[a] = nb; prev[nb] = a;
}

}  // namespace

ZEBPermutation::ZEBPermutation(long double key) : forward(ValueCount), inverse(ValueCount)
{
    for (int x = 0; x < ValueCount; ++x) {
        forward[x] = uint16_t(x + 1);
        inverse[x] = uint16_t(x - 1);
    }
    ZEBRandom random(key);
    for (int i = 0; i < ValueCount - 1; ++i) {
        long double u = random.Next();
        int j = i + int(std::floor(u * (ValueCount - i)));
        ExchangePlaces(forward, inverse, uint16_t(i), uint16_t(j));
    }
}

const ZEBPermutation& ZEBCrypt::Permutation(long double key)
{
    static std::mutex mutex;
    static std::map<long double, std::unique_ptr<ZEBPermutation>> tables;
    std::lock_guard lock(mutex);
    auto& table = tables[key];
    if (!table)
        table = std::make_unique<ZEBPermutation>(key);
    return *table;
}

ZEBCrypt::ZEBCrypt(long double key) : table_(&Permutation(key)) {}

void ZEBCrypt::SetSize(int n, int rounds)
{
    n_ = n;
    rounds_ = rounds;
    accumulator_.assign(size_t(n), 0);
    block_.assign(size_t(n), 0);
    fill_ = 0;
}

namespace {

// One round over a block of n bytes: pairs (k, k + step) for step = 1, 2, 4, ... go through F.
// Written once; the signature size gets its own copy with n known, which the compiler unrolls.
template <typename Size>
void PermuteBlock(const uint16_t* f, uint8_t* block, Size n)
{
    for (int step = 1; step < n; step *= 2) {
        for (int base = 0; base < n; base += 2 * step) {
            int last = std::min<int>(base + step, n);
            for (int k = base; k < last; ++k) {
                int m = k + step >= n ? k + step - n : k + step;
                uint16_t v = f[block[k] | (block[m] << 8)];
                block[k] = uint8_t(v);
                block[m] = uint8_t(v >> 8);
            }
        }
    }
}

// A signature block seen as eight little-endian 16-bit words. Step 1 pairs the two bytes of
// each word; steps 2, 4 and 8 pair the bytes of words x and y at the same place in each:
// low with low and high with high. Everything stays in registers.
inline void MixWords(const uint16_t* f, uint16_t& x, uint16_t& y)
{
    uint16_t lows = f[(x & 0xFF) | (y & 0xFF) << 8];
    uint16_t highs = f[(x >> 8) | (y & 0xFF00)];
    x = uint16_t((lows & 0xFF) | (highs & 0xFF) << 8);
    y = uint16_t((lows >> 8) | (highs & 0xFF00));
}

void PermuteSignatureBlock(const uint16_t* f, uint16_t (&w)[8])
{
    for (uint16_t& word : w)
        word = f[word];
    for (int step = 1; step < 8; step *= 2) {
        for (int base = 0; base < 8; base += 2 * step) {
            for (int j = base; j < base + step; ++j)
                MixWords(f, w[j], w[j + step]);
        }
    }
}

// Adds the 8 bytes of b to those of a, each modulo 256.
inline uint64_t AddBytes(uint64_t a, uint64_t b)
{
    constexpr uint64_t High = 0x8080808080808080u;
    return ((a & ~High) + (b & ~High)) ^ ((a ^ b) & High);
}

}  // namespace

void ZEBCrypt::Update(const uint8_t* data, size_t count)
{
    while (count > 0) {
        if (fill_ == 0 && n_ == SignatureSize && rounds_ == 1 && count >= SignatureSize) {
            size_t blocks = count / SignatureSize;
            ProcessSignatureBlocks(data, blocks);
            data += blocks * SignatureSize;
            count -= blocks * SignatureSize;
            continue;
        }
        size_t take = std::min(count, size_t(n_ - fill_));
        std::copy_n(data, take, block_.begin() + fill_);
        fill_ += int(take);
        data += take;
        count -= take;
        if (fill_ == n_)
            ProcessBlock();
    }
}

// The same as ProcessBlock on each of count whole blocks, for the signature's size and one
// round, without copying them.
void ZEBCrypt::ProcessSignatureBlocks(const uint8_t* data, size_t count)
{
    const uint16_t* f = table_->forward.data();
    uint64_t sum[2];
    std::memcpy(sum, accumulator_.data(), sizeof sum);
    for (size_t b = 0; b < count; ++b, data += SignatureSize) {
        uint16_t w[8];
        for (int j = 0; j < 8; ++j)
            w[j] = LoadU16(data + 2 * j);
        PermuteSignatureBlock(f, w);
        uint8_t bytes[SignatureSize];
        for (int j = 0; j < 8; ++j)
            StoreU16(bytes + 2 * j, w[j]);
        uint64_t half[2];
        std::memcpy(half, bytes, sizeof half);
        sum[0] = AddBytes(sum[0], half[0]);
        sum[1] = AddBytes(sum[1], half[1]);
    }
    std::memcpy(accumulator_.data(), sum, sizeof sum);
}

void ZEBCrypt::ProcessBlock()
{
    const uint16_t* f = table_->forward.data();
    uint8_t* block = block_.data();
    for (int round = 0; round < rounds_; ++round) {
        if (n_ == SignatureSize)
            PermuteBlock(f, block, std::integral_constant<int, SignatureSize>());
        else
            PermuteBlock(f, block, n_);
    }
    for (int k = 0; k < n_; ++k)
        accumulator_[size_t(k)] = uint8_t(accumulator_[size_t(k)] + block[k]);
    fill_ = 0;
}

std::vector<uint8_t> ZEBCrypt::Final()
{
    if (fill_ > 0) {
        std::fill(block_.begin() + fill_, block_.end(), 0);
        ProcessBlock();
    }
    std::vector<uint8_t> digest = std::move(accumulator_);
    std::fill(block_.begin(), block_.end(), 0);
    block_.clear();
    accumulator_.clear();
    return digest;
}

}  // namespace zeb
