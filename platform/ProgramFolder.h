#pragma once

#include <string>

namespace zeb {

// The folder of the running program (from /proc/self/exe); "." when it cannot be told.
std::string ProgramFolder();

// The program folder's help file, "ZEBREADER.HLP".
std::string HelpFilePath(const std::string& programFolder);

// The plain-text guide beside the program, "Guide.txt", which a first start puts in the library.
std::string GuideFilePath(const std::string& programFolder);

}  // namespace zeb
