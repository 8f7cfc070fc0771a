#pragma once

#include <cstdint>
#include <string>

namespace zeb {

class ZEBImportPreview;
class ZEBProgress;
class ZEBPrompter;

// Shown, followed by the source's file name, for a text that holds no character.
inline constexpr const char* EmptyTextMessage = "The text is empty: ";

// The preview caption for a source: "Filename: " + name + "        File Size: " + bytes.
std::u16string PreviewCaption(const std::u16string& sourceName, int32_t sourceSize);

// Shows the source at sourcePath in the preview with importCodePage (the remembered import
// code page) selected. When the user chooses "Import", importCodePage becomes the code page
// chosen, before anything is written, and the book is written to destinationPath: true. For
// "Do Not Import" nothing changes and nothing is written: false. A text that holds no
// character in the code page chosen (no bytes, or byte order marks only) would give no book:
// it is reported through prompter (EmptyTextMessage) and nothing is written: false. A source
// that cannot be opened or read, and a book that cannot be written, raise ZEBIOFailure; no
// partly written book is left behind.
//
// sourcePath is the file's name as the system knows it, bytes that need not be UTF-8; only the
// name shown and stored in the book is decoded, an invalid byte becoming U+FFFD.
bool ConvertTextToBook(const std::string& sourcePath, const std::string& destinationPath,
                       int32_t& importCodePage, ZEBImportPreview& preview, ZEBProgress& progress,
                       ZEBPrompter& prompter);

}  // namespace zeb
