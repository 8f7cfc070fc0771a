#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zeb {

// The key of every block signature. Every book and settings file ever written depends on it:
// never change it.
constexpr long double SignatureKey = 0.73519586410327691158L;
constexpr int SignatureSize = 16;

// The pseudo-random source behind the permutation table: two 80-bit reals.
class ZEBRandom {
public:
    explicit ZEBRandom(long double key) : x_(key) {}
    long double Next();  // in [0, 1)

private:
    long double x_;
    long double c_ = 0.011L;
};

// The key's permutation of the 16-bit values: F(x) and its inverse G(x).
struct ZEBPermutation {
    explicit ZEBPermutation(long double key);
    std::vector<uint16_t> forward;
    std::vector<uint16_t> inverse;
};

// Keyed digest of n bytes (the block signature for n = 16, one round). The size is fixed when
// the object is made, so there is no object that cannot digest.
class ZEBCrypt {
public:
    // std::invalid_argument unless n and rounds are at least 1.
    explicit ZEBCrypt(int n = SignatureSize, int rounds = 1, long double key = SignatureKey);

    void Update(const uint8_t* data, size_t count);
    // The digest of everything given since the object was made or last finished; it then
    // starts afresh.
    std::vector<uint8_t> Final();

    // The permutation for key, built on first use and shared by every object with that key.
    static const ZEBPermutation& Permutation(long double key);

private:
    void ProcessBlock();

    const ZEBPermutation* table_;
    std::vector<uint8_t> accumulator_;
    std::vector<uint8_t> block_;
    int n_;
    int rounds_;
    int fill_ = 0;
};

}  // namespace zeb
