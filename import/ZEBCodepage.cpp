#include "import/ZEBCodepage.h"

#include <algorithm>

#include "platform/CodePageDecoder.h"
#include "platform/CodePages.h"

namespace zeb {

void ZEBCodepage::BuildCatalogue(const std::function<void(int32_t)>& probed)
{
    entries_.clear();
    entries_.push_back({UnicodeCodePage, 2, "      (Unicode)"});
    defaultIndex_ = 0;
    int32_t ansi = AnsiCodePage;
    if (std::optional<CodePageInfo> info = GetCodePageInfo(AnsiCodePage))
        ansi = info->codePage;
    initialImportCodePage_ = ansi;
    for (int32_t cp = FirstProbed; cp <= LastProbed; ++cp) {
        if (std::optional<CodePageInfo> info = GetCodePageInfo(cp)) {
            entries_.push_back({cp, info->maxCharSize, info->name});
            if (cp == ansi)
                defaultIndex_ = Count() - 1;
        }
        if (probed)
            probed(cp);
    }
}

const ZEBCodepageObject* ZEBCodepage::Entry(int32_t index) const
{
    return index >= 0 && index < Count() ? &entries_[size_t(index)] : nullptr;
}

std::optional<int32_t> ZEBCodepage::IndexOf(int32_t codePage) const
{
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [codePage](const ZEBCodepageObject& e) { return e.codePage == codePage; });
    if (it == entries_.end())
        return std::nullopt;
    return int32_t(it - entries_.begin());
}

}  // namespace zeb
