#pragma once

#include <array>

namespace zeb {

using CaseFoldTable = std::array<char16_t, 0x10000>;

// Unicode simple case folding of every UTF-16 code unit, built on first use: unit by unit
// "ПРИВЕТ" folds to "привет" and "ΣΟΦΊΑ" to "σοφία" (a final sigma folds to σ as well).
// Surrogates and units whose folding lies outside the BMP stay as they are.
const CaseFoldTable& CaseFolding();

inline char16_t FoldCase(char16_t unit) { return CaseFolding()[unit]; }

}  // namespace zeb
