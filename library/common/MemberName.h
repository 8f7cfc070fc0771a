// Member names without their folders, and the path each gets in the scratch folder; for every
// archive format.
#pragma once

#include <string>
#include <string_view>

namespace zeb {

// A member's name without any folder part: the text after the last '/' or '\'. Names that
// could leave or name the scratch folder itself ("", ".", "..") give "", which callers skip.
std::string BareName(std::string_view stored);

// The bare name inside scratchFolder (the bare name alone when the folder is ""), or "" when
// the bare name is unusable.
std::string ScratchPath(const std::string& scratchFolder, std::string_view stored);

}  // namespace zeb
