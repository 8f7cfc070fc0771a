#include "platform/ProgramPaths.h"

#include <filesystem>

#include "platform/DataFolder.h"
#include "platform/ProgramFolder.h"

namespace zeb {

ProgramPaths PathsInFolder(const std::string& folder)
{
    const std::filesystem::path in(folder);
    return {folder, (in / HelpFileName).string(), (in / GuideFileName).string()};
}

ProgramPaths RunningProgramPaths()
{
    const std::string programFolder = ProgramFolder();
    return {DataFolder(programFolder), HelpFilePath(programFolder),
            ResourceFilePath(programFolder, GuideFileName)};
}

}  // namespace zeb
