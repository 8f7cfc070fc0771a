#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zeb {

class ZEBFile;

// The step before a conversion where the user looks at the text decoded in a code page of the
// catalogue and chooses "Import" or "Do Not Import".
class ZEBImportPreview {
public:
    virtual ~ZEBImportPreview() = default;

    // Shows source (read through the given file) under caption with codePage selected when the
    // catalogue lists it. Gives the code page in use when the user chose "Import", nothing for
    // "Do Not Import".
    virtual std::optional<int32_t> Show(ZEBFile& source, const std::u16string& caption,
                                        int32_t codePage) = 0;
};

// Imports every text at once in one code page, without showing it: batch work without a window.
class ZEBImportWithoutPreview : public ZEBImportPreview {
public:
    explicit ZEBImportWithoutPreview(int32_t codePage) : codePage_(codePage) {}
    std::optional<int32_t> Show(ZEBFile&, const std::u16string&, int32_t) override
    {
        return codePage_;
    }

private:
    int32_t codePage_;
};

}  // namespace zeb
