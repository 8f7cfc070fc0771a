#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "library/common/ArchiveEnd.h"

namespace zeb {

class ArchiveReaders;
class ZEBImportPreview;
class ZEBProgress;
class ZEBPrompter;

// Shown, with the cause on a line below it, when converting one file fails; the import then
// goes on with the next file.
inline constexpr const char* ConversionErrorText =
    "Error during convertin file. Probably not enough space";

// Where an import writes: books, and the scratch folder archives are extracted into.
struct ImportFolders {
    std::string books;
    std::string scratch;
};

// "Books" and "Tmp" in the program folder.
ImportFolders ProgramImportFolders(const std::string& programFolder);

// Turns chosen files into books: texts are converted as they are; the files of ZIP, RAR, ARJ,
// LZH and HA archives are extracted into the scratch folder one at a time, converted and
// deleted whatever came of it. Every conversion asks the preview first.
class ZEBImport {
public:
    // Told each book written, with the file it was made from.
    using BookAdded = std::function<void(const std::string& source, const std::string& book)>;
    // Told how the walk through each chosen archive ended.
    using ArchiveEnded = std::function<void(const std::string& archive, const ArchiveEnd& end)>;
    // Told the cause of each failed conversion, after the message.
    using ConversionFailed =
        std::function<void(const std::string& source, const std::string& cause)>;

    ZEBImport(ImportFolders folders, ArchiveReaders& readers, ZEBPrompter& prompter,
              ZEBImportPreview& preview, ZEBProgress& progress);

    void SetBookAdded(BookAdded callback) { onBookAdded_ = std::move(callback); }
    void SetArchiveEnded(ArchiveEnded callback) { onArchiveEnded_ = std::move(callback); }
    void SetConversionFailed(ConversionFailed callback)
    {
        onConversionFailed_ = std::move(callback);
    }

    // Imports files in their order, skipping those that no longer exist; importCodePage is the
    // code page the preview starts with and becomes the one last chosen. A ZIP archive that
    // cannot be read (ZipError) and an ARJ, LZH or HA archive that fails the file layer
    // (ZEBIOFailure) end the run there; the books written before it stay.
    void Import(const std::vector<std::string>& files, int32_t& importCodePage);

private:
    void ImportFile(const std::string& file, int32_t& importCodePage);
    void ConvertMember(const std::string& path, int32_t& importCodePage);
    void Convert(const std::string& source, int32_t& importCodePage);

    ImportFolders folders_;
    ArchiveReaders& readers_;
    ZEBPrompter& prompter_;
    ZEBImportPreview& preview_;
    ZEBProgress& progress_;
    BookAdded onBookAdded_;
    ArchiveEnded onArchiveEnded_;
    ConversionFailed onConversionFailed_;
};

}  // namespace zeb
