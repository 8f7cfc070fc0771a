#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zeb {

// One code page the user can choose for an import.
struct ZEBCodepageObject {
    int32_t codePage;     // UnicodeCodePage for UTF-16LE
    int32_t maxCharSize;  // bytes
    std::string name;     // as the system displays it
};

// The catalogue of code pages: UTF-16LE first, then every Windows code page this system can
// convert, in increasing order.
class ZEBCodepage {
public:
    static constexpr int32_t FirstProbed = 16;
    static constexpr int32_t LastProbed = 65535;

    // Fills the catalogue, calling probed with every number from FirstProbed to LastProbed once
    // it is done (the start-up gauge follows it).
    void BuildCatalogue(const std::function<void(int32_t codePage)>& probed = {});
    // How many of width pixels the start-up gauge fills once codePage has been probed.
    static constexpr int32_t ProbeGauge(int32_t codePage, int32_t width)
    {
        return int32_t(int64_t(codePage - FirstProbed) * width / (LastProbed - FirstProbed));
    }

    int32_t Count() const { return int32_t(entries_.size()); }
    // The entry at index, or null outside 0 .. Count() - 1.
    const ZEBCodepageObject* Entry(int32_t index) const;
    std::optional<int32_t> IndexOf(int32_t codePage) const;

    // The index of the system ANSI code page's entry (0 when it has none).
    int32_t DefaultIndex() const { return defaultIndex_; }
    // The system ANSI code page: what an import offers until the user chooses another.
    int32_t InitialImportCodePage() const { return initialImportCodePage_; }

private:
    std::vector<ZEBCodepageObject> entries_;
    int32_t defaultIndex_ = 0;
    int32_t initialImportCodePage_ = 0;
};

}  // namespace zeb
