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

}  // namespace zeb
