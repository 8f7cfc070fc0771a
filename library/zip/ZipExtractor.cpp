// The import's walk through a ZIP archive, one selected entry at a time.
#include "library/zip/ZipExtractor.h"

#include "library/common/MemberName.h"
#include "library/zip/ZipEntry.h"
#include "platform/FileIO.h"
#include "platform/ScopeExit.h"

namespace zeb {

std::string ZipExtractor::Open(const std::string& archive, const std::string& scratchFolder)
{
    Close();
    reader_.SetArchiveName(archive);
    reader_.ReadDirectory();
    reader_.ClearSelections();
    reader_.SetDestination(scratchFolder);
    folder_ = scratchFolder;
    next_ = 0;
    return Next();
}

std::string ZipExtractor::Next()
{
    while (next_ < reader_.Count()) {
        const int i = next_++;
        if (reader_.ExternalAttributes(i) & ZipEntry::DirectoryAttribute)
            continue;
        reader_.Select(i);
        ScopeExit deselect([this, i] { reader_.Deselect(i); });
        std::string path = ScratchPath(folder_, reader_.FileName(i));
        if (path.empty())
            continue;
        reader_.ExtractSelected();
        if (NameExists(path))
            return path;
    }
    return {};
}

}  // namespace zeb
