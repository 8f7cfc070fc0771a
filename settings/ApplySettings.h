#pragma once

#include <cstdint>
#include <string>

#include "settings/ZEBOptions.h"
#include "storage/ZEBFileOptions.h"

namespace zeb {

// The open book's source, as the status display shows it.
struct BookSource {
    std::u16string Name;  // empty when the book does not record it
    uint32_t Size = 0;

    bool operator==(const BookSource&) const = default;
};

// Copies the stored settings into options inside one update, so that each change event fires
// at most once. book is the open book's options tree, or null: its own font width and text
// formatting take precedence over the stored ones. With all false only those two change (and
// auto-scroll, which is always stopped). Returns the book's source.
BookSource ApplySettings(ZEBOptions& options, const ReaderSettings& stored, bool all,
                         const ZEBFileOptions* book);

// Sets every setting to its "Default" value inside one update.
void ApplyDefaultSettings(ZEBOptions& options);

}  // namespace zeb
