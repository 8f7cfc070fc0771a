#include "storage/ZEBCrypt.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <type_traits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

namespace {

int CheckedSize(int n, int rounds)
{
    // A block of no bytes would never fill, and Update would wait for it forever.
    if (n < 1 || rounds < 1)
        throw std::invalid_argument("ZEBCrypt needs a digest of at least one byte and one round");
    return n;
}

}  // namespace

ZEBCrypt::ZEBCrypt(int n, int rounds, long double key)
    : table_(&Permutation(key)), accumulator_(size_t(CheckedSize(n, rounds))), block_(size_t(n)),
      n_(n), rounds_(rounds)
{
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

#if defined(__x86_64__)
// The eight words of a block (in an SSE register) through F: the look-ups in general
// registers.
inline __m128i LookUpWords(const uint16_t* f, __m128i v)
{
    alignas(16) uint16_t w[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(w), v);
    uint64_t low = uint64_t(f[w[0]]) | uint64_t(f[w[1]]) << 16 | uint64_t(f[w[2]]) << 32 |
                   uint64_t(f[w[3]]) << 48;
    uint64_t high = uint64_t(f[w[4]]) | uint64_t(f[w[5]]) << 16 | uint64_t(f[w[6]]) << 32 |
                    uint64_t(f[w[7]]) << 48;
    return _mm_set_epi64x(int64_t(high), int64_t(low));
}

// count signature blocks through PermuteBlock and added to the accumulator, each block in an
// SSE register: a step gathers the bytes it pairs into words with a byte shuffle, looks them
// up, and puts the bytes back with the inverse shuffle.
__attribute__((target("ssse3"))) void AddSignatureBlocksSsse3(const uint16_t* f,
                                                              const uint8_t* data, size_t count,
                                                              uint8_t* accumulator)
{
    const __m128i pair2 = _mm_setr_epi8(0, 2, 1, 3, 4, 6, 5, 7, 8, 10, 9, 11, 12, 14, 13, 15);
    const __m128i pair4 = _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
    const __m128i back4 = _mm_setr_epi8(0, 2, 4, 6, 1, 3, 5, 7, 8, 10, 12, 14, 9, 11, 13, 15);
    const __m128i pair8 = _mm_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15);
    const __m128i back8 = _mm_setr_epi8(0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15);
    __m128i sum = _mm_loadu_si128(reinterpret_cast<const __m128i*>(accumulator));
    for (size_t b = 0; b < count; ++b, data += SignatureSize) {
        __m128i v = LookUpWords(f, _mm_loadu_si128(reinterpret_cast<const __m128i*>(data)));
        v = _mm_shuffle_epi8(LookUpWords(f, _mm_shuffle_epi8(v, pair2)), pair2);
        v = _mm_shuffle_epi8(LookUpWords(f, _mm_shuffle_epi8(v, pair4)), back4);
        v = _mm_shuffle_epi8(LookUpWords(f, _mm_shuffle_epi8(v, pair8)), back8);
        sum = _mm_add_epi8(sum, v);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(accumulator), sum);
}

bool HasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#else
bool HasSsse3()
{
    return false;
}

void AddSignatureBlocksSsse3(const uint16_t*, const uint8_t*, size_t, uint8_t*) {}
#endif

}  // namespace

void ZEBCrypt::Update(const uint8_t* data, size_t count)
{
    // Whole signature blocks go straight from the input when the processor has byte shuffles.
    const bool wholeBlocks = n_ == SignatureSize && rounds_ == 1 && HasSsse3();
    while (count > 0) {
        if (wholeBlocks && fill_ == 0 && count >= SignatureSize) {
            size_t blocks = count / SignatureSize;
            AddSignatureBlocksSsse3(table_->forward.data(), data, blocks, accumulator_.data());
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
    accumulator_.assign(size_t(n_), 0);
    return digest;
}

}  // namespace zeb
