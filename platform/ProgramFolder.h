#pragma once

#include <string>

namespace zeb {

// The folder of the running program (from /proc/self/exe); "." when it cannot be told.
std::string ProgramFolder();

// The help page, shown by F1 and "?".
inline constexpr const char* HelpFileName = "ZEBREADER.HLP";
// The plain-text guide a first start puts into the library.
inline constexpr const char* GuideFileName = "Guide.txt";

// A resource file shipped with the program ("ZEBREADER.HLP", "Guide.txt"): beside the program
// in a build or an unpacked folder, else where installing put it (share/zebreader beside the
// program's bin/). When it is in neither, the path beside the program, so that a message names
// the place it was looked for first.
std::string ResourceFilePath(const std::string& programFolder, const std::string& name);

// The help file, found as ResourceFilePath finds it.
std::string HelpFilePath(const std::string& programFolder);

}  // namespace zeb
