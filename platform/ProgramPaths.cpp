#include "platform/ProgramPaths.h"

#include <filesystem>

#include "platform/DataFolder.h"
#include "platform/ProgramFolder.h"

namespace zeb {

ProgramPaths PathsInFolder(const std::string& folder)
{
    return {folder, (std::filesystem::path(folder) / HelpFileName).string()};
}

ProgramPaths RunningProgramPaths()
{
    const std::string programFolder = ProgramFolder();
    return {DataFolder(programFolder), HelpFilePath(programFolder)};
}

}  // namespace zeb
