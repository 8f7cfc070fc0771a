#include "platform/CaseFold.h"

#include <unicode/uchar.h>

#include <memory>

namespace zeb {

namespace {

std::unique_ptr<CaseFoldTable> BuildFoldTable()
{
    auto table = std::make_unique<CaseFoldTable>();
    for (UChar32 c = 0; c < 0x10000; ++c) {
        UChar32 folded = (c >= 0xD800 && c <= 0xDFFF) ? c : u_foldCase(c, U_FOLD_CASE_DEFAULT);
        (*table)[size_t(c)] = char16_t(folded <= 0xFFFF ? folded : c);
    }
    return table;
}

}  // namespace

const CaseFoldTable& CaseFolding()
{
    static const std::unique_ptr<CaseFoldTable> table = BuildFoldTable();
    return *table;
}

}  // namespace zeb
