#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zeb {

class ZEBImportPreview;
class ZEBProgress;

// The preview caption for a source: "Filename: " + name + "        File Size: " + bytes.
std::u16string PreviewCaption(const std::u16string& sourceName, int32_t sourceSize);

// Shows the source at sourcePath in the preview with importCodePage (the remembered import
// code page) selected; when the user chooses "Import", writes the book to destinationPath and
// gives the code page chosen, which becomes the remembered one. Gives nothing, and writes
// nothing, for "Do Not Import". A source that cannot be opened or read, and a book that cannot
// be written, raise ZEBIOFailure; no partly written book is left behind.
std::optional<int32_t> ConvertTextToBook(const std::u16string& sourcePath,
                                         const std::string& destinationPath,
                                         int32_t importCodePage, ZEBImportPreview& preview,
                                         ZEBProgress& progress);

}  // namespace zeb
