#pragma once

#include <cstdint>
#include <string>

namespace zeb {

class ZEBImportPreview;
class ZEBProgress;

// The preview caption for a source: "Filename: " + name + "        File Size: " + bytes.
std::u16string PreviewCaption(const std::u16string& sourceName, int32_t sourceSize);

// Shows the source at sourcePath in the preview with importCodePage (the remembered import
// code page) selected. When the user chooses "Import", importCodePage becomes the code page
// chosen, before anything is written, and the book is written to destinationPath: true. For
// "Do Not Import" nothing changes and nothing is written: false. A source that cannot be opened
// or read, and a book that cannot be written, raise ZEBIOFailure; no partly written book is
// left behind.
bool ConvertTextToBook(const std::u16string& sourcePath, const std::string& destinationPath,
                       int32_t& importCodePage, ZEBImportPreview& preview, ZEBProgress& progress);

}  // namespace zeb
