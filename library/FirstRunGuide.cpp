#include "library/FirstRunGuide.h"

#include <filesystem>
#include <system_error>

#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "library/LibraryBooks.h"
#include "library/LibraryImport.h"
#include "platform/CodePages.h"

namespace zeb {

namespace fs = std::filesystem;

std::string AddGuideToEmptyLibrary(const ImportFolders& folders, const std::string& guide,
                                   ZEBPrompter& prompter)
{
    std::error_code error;
    if (!BookFileNames(folders.books).empty() || !fs::is_regular_file(guide, error))
        return {};
    fs::create_directories(folders.books, error);
    ZEBImportWithoutPreview preview(Utf8CodePage);
    ZEBNoProgress progress;
    int32_t codePage = Utf8CodePage;
    std::string made;
    LibraryImport(folders, prompter, preview, progress)
        .Run({guide}, codePage, [&made](const std::string& book) { made = book; });
    return made;
}

}  // namespace zeb
