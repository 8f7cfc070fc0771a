#include "library/LibraryBooks.h"

#include <filesystem>

#include "import/ZEBProgress.h"
#include "library/BrowseEntry.h"
#include "library/ZEBBrowseFile.h"
#include "library/ZEBImport.h"

namespace zeb {

namespace fs = std::filesystem;

bool IsBookName(const std::string& name)
{
    static const std::string extension = ".book";
    if (name.empty() || name.front() == '.' || name.size() <= extension.size())
        return false;
    for (size_t i = 0; i < extension.size(); ++i) {
        char c = name[name.size() - extension.size() + i];
        if (char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) != extension[i])
            return false;
    }
    return true;
}

std::vector<std::string> BookFileNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (IsBookName(name) && it->is_regular_file(typeError))
            names.push_back(std::move(name));
    }
    return names;
}

void LoadLibrary(const ImportFolders& folders, ZEBBrowseFile& list, LibraryReader& reader,
                 ZEBProgress& progress)
{
    std::error_code error;
    fs::create_directories(folders.books, error);
    fs::create_directories(folders.scratch, error);
    std::vector<std::string> names = BookFileNames(folders.books);
    if (names.empty())
        return;
    ZEBProgressScope shown(progress, LoadingText, int64_t(names.size()));
    int64_t loaded = 0;
    for (const std::string& name : names) {
        progress.Progress(++loaded);
        if (auto entry = LoadBrowseEntry((fs::path(folders.books) / name).string(), reader))
            list.Insert(std::move(entry));
    }
}

}  // namespace zeb
