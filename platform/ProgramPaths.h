#pragma once

#include <string>

namespace zeb {

// Where the reader keeps its data ("Books", "Tmp", "Global.cfg") and finds its help file and
// the guide a first start puts into the library.
struct ProgramPaths {
    std::string dataFolder;
    std::string helpFile;
    std::string guideFile;
};

// Everything in one folder, as tests and tools that bring their own folder have it.
ProgramPaths PathsInFolder(const std::string& folder);

// The running program's: the data folder DataFolder chooses, the help file and the guide
// beside the program or where it was installed.
ProgramPaths RunningProgramPaths();

}  // namespace zeb
