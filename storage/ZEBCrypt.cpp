#include "storage/ZEBCrypt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <type_traits>

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

}  // namespace

void ZEBCrypt::Update(const uint8_t* data, size_t count)
{
    if (fill_ == 0 && n_ == SignatureSize) {
        size_t whole = count / SignatureSize;
        AddSignatureBlocks(data, whole);
        data += whole * SignatureSize;
        count -= whole * SignatureSize;
    }
    while (count > 0) {
        size_t take = std::min(count, size_t(n_ - fill_));
        std::copy_n(data, take, block_.begin() + fill_);
        fill_ += int(take);
        data += take;
        count -= take;
        if (fill_ == n_)
            ProcessBlock();
    }
}

namespace {

using BlockSum = std::array<uint8_t, SignatureSize>;

// The byte-wise sum of the permuted blocks, two at a time so that the table look-ups of one
// overlap those of the other.
BlockSum SumBlocks(const uint16_t* f, int rounds, const uint8_t* data, size_t blocks)
{
    constexpr std::integral_constant<int, SignatureSize> n;
    uint8_t sum[2][SignatureSize] = {};
    while (blocks > 0) {
        int lanes = blocks >= 2 ? 2 : 1;
        uint8_t block[2][SignatureSize];
        std::memcpy(block, data, size_t(lanes) * SignatureSize);
        for (int round = 0; round < rounds; ++round) {
            PermuteBlock(f, block[0], n);
            if (lanes == 2)
                PermuteBlock(f, block[1], n);
        }
        for (int lane = 0; lane < lanes; ++lane)
            for (int k = 0; k < SignatureSize; ++k)
                sum[lane][k] = uint8_t(sum[lane][k] + block[lane][k]);
        data += size_t(lanes) * SignatureSize;
        blocks -= size_t(lanes);
    }
    BlockSum total;
    for (int k = 0; k < SignatureSize; ++k)
        total[size_t(k)] = uint8_t(sum[0][k] + sum[1][k]);
    return total;
}

}  // namespace

// Signing and verifying a whole book comes through here. Blocks add up independently, so a large
// run is shared with a second thread: opening a big book waits on this.
void ZEBCrypt::AddSignatureBlocks(const uint8_t* data, size_t blocks)
{
    constexpr size_t SharedFrom = 8192;  // 128 KiB: below it a thread costs more than it saves
    const uint16_t* f = table_->forward.data();
    int rounds = rounds_;
    size_t own = blocks >= SharedFrom ? blocks / 2 : blocks;
    std::future<BlockSum> other;
    if (own < blocks)
        other = std::async(std::launch::async, SumBlocks, f, rounds,
                           data + own * SignatureSize, blocks - own);
    BlockSum sum = SumBlocks(f, rounds, data, own);
    if (other.valid()) {
        BlockSum more = other.get();
        for (int k = 0; k < SignatureSize; ++k)
            sum[size_t(k)] = uint8_t(sum[size_t(k)] + more[size_t(k)]);
    }
    for (int k = 0; k < SignatureSize; ++k)
        accumulator_[size_t(k)] = uint8_t(accumulator_[size_t(k)] + sum[size_t(k)]);
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
