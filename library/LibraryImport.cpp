#include "library/LibraryImport.h"

#include <exception>
#include <filesystem>

#include "platform/ZEBPrompter.h"

namespace zeb {

namespace fs = std::filesystem;

LibraryImport::LibraryImport(ImportFolders folders, ZEBPrompter& prompter,
                             ZEBImportPreview& preview, ZEBProgress& progress)
    : folders_(folders), prompter_(prompter), readers_(prompter),
      import_(std::move(folders), readers_, prompter, preview, progress)
{
    import_.SetArchiveEnded(
        [this](const std::string& archive, const ArchiveEnd& end) { ArchiveEnded(archive, end); });
}

void LibraryImport::Run(const std::vector<std::string>& files, int32_t& importCodePage,
                        const BookAdded& added)
{
    import_.SetBookAdded([&added](const std::string&, const std::string& book) {
        if (added)
            added(book);
    });
    ClearScratch();
    for (const std::string& file : files) {
        try {
            import_.Import({file}, importCodePage);
        } catch (const std::exception& failure) {
            // The archive cannot be read on: the books so far stay, the rest is not tried.
            ClearScratch();
            prompter_.Message(file + "\n" + failure.what(), "", PromptIcon::Error,
                              PromptButtons::Ok);
            break;
        }
    }
    import_.SetBookAdded({});
}

void LibraryImport::ClearScratch() const
{
    std::error_code error;
    for (fs::directory_iterator it(folders_.scratch, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code removeError;
        fs::remove_all(it->path(), removeError);
    }
}

void LibraryImport::ArchiveEnded(const std::string& archive, const ArchiveEnd& end)
{
    if (end.IsNormal())
        return;
    prompter_.Message(archive + "\n" + end.Text(), "", PromptIcon::Error, PromptButtons::Ok);
}

}  // namespace zeb
