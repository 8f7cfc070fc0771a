#include "library/ZEBImport.h"

#include <filesystem>
#include <stdexcept>

#include "import/BookFileName.h"
#include "import/ConvertTextToBook.h"
#include "library/ArchiveReaders.h"
#include "platform/ZEBPrompter.h"

namespace zeb {

namespace fs = std::filesystem;

ImportFolders ProgramImportFolders(const std::string& programFolder)
{
    fs::path folder(programFolder);
    return {(folder / "Books").string(), (folder / "Tmp").string()};
}

ZEBImport::ZEBImport(ImportFolders folders, ArchiveReaders& readers, ZEBPrompter& prompter,
                     ZEBImportPreview& preview, ZEBProgress& progress)
    : folders_(std::move(folders)), readers_(readers), prompter_(prompter), preview_(preview),
      progress_(progress)
{
}

void ZEBImport::Import(const std::vector<std::string>& files, int32_t& importCodePage)
{
    // A folder that cannot be made shows up as failed conversions or extractions.
    std::error_code error;
    fs::create_directories(folders_.books, error);
    fs::create_directories(folders_.scratch, error);
    for (const std::string& file : files)
        ImportFile(file, importCodePage);
}

void ZEBImport::ImportFile(const std::string& file, int32_t& importCodePage)
{
    std::error_code error;
    if (!fs::exists(file, error))
        return;
    ArchiveKind kind = ArchiveKindOf(file);
    if (kind == ArchiveKind::Text) {
        Convert(file, importCodePage);
        return;
    }
    ArchiveEnd end = readers_.ForEachMember(kind, file, folders_.scratch,
                                            [&](const std::string& path) {
                                                ConvertMember(path, importCodePage);
                                            });
    if (onArchiveEnded_)
        onArchiveEnded_(file, end);
}

// A member is made writable first so that a read-only one can be deleted after its conversion.
void ZEBImport::ConvertMember(const std::string& path, int32_t& importCodePage)
{
    std::error_code error;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    error);
    Convert(path, importCodePage);
    fs::remove(path, error);
}

void ZEBImport::Convert(const std::string& source, int32_t& importCodePage)
{
    try {
        std::string book = FreeBookPath(folders_.books);
        if (ConvertTextToBook(source, book, importCodePage, preview_, progress_, prompter_) &&
            onBookAdded_)
            onBookAdded_(source, book);
    } catch (const std::exception& error) {
        // The cause follows on a line of its own: the space is only the likeliest reason.
        prompter_.Message(std::string(ConversionErrorText) + "\n" + error.what(), "",
                          PromptIcon::Error, PromptButtons::Ok);
        if (onConversionFailed_)
            onConversionFailed_(source, error.what());
    }
}

}  // namespace zeb
