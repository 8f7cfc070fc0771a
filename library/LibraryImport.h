#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "library/ArchiveReaders.h"
#include "library/ZEBImport.h"

namespace zeb {

class ZEBImportPreview;
class ZEBProgress;
class ZEBPrompter;

// The library's import run: chosen files become books one after another, each new book handed
// on as soon as it is written. What goes wrong is told to the user through the prompter and
// never ends the program: an archive whose walk ended early or gave nothing (with the reason),
// and an archive that cannot be read further, which ends the run there. The scratch folder is
// emptied before a run, so nothing left by an interrupted one is mistaken for a member, and
// after a run that ended early.
class LibraryImport {
public:
    using BookAdded = std::function<void(const std::string& book)>;

    LibraryImport(ImportFolders folders, ZEBPrompter& prompter, ZEBImportPreview& preview,
                  ZEBProgress& progress);

    void Run(const std::vector<std::string>& files, int32_t& importCodePage,
             const BookAdded& added);

private:
    void ClearScratch() const;
    void ArchiveEnded(const std::string& archive, const ArchiveEnd& end);

    ImportFolders folders_;
    ZEBPrompter& prompter_;
    ArchiveReaders readers_;
    ZEBImport import_;
};

}  // namespace zeb
