#pragma once

#include <cstdint>

namespace zeb {

// Where one code unit of the text stream lies: the record's position and the unit's index in
// it (0 for the blank a space run or a line end stands for). Keys order as the text does.
using TextKey = uint64_t;
constexpr TextKey MakeTextKey(int32_t position, int32_t unit)
{
    return (uint64_t(position) << 8) | uint32_t(unit);
}
constexpr int32_t KeyPosition(TextKey key) { return int32_t(key >> 8); }
constexpr int32_t KeyUnit(TextKey key) { return int32_t(key & 0xFF); }

// A phrase found: its first and its last code unit.
struct PhraseMatch {
    TextKey first = 0;
    TextKey last = 0;
};

}  // namespace zeb
