#pragma once

#include <cstddef>
#include <string_view>

namespace zeb {

// The part of a path after its last '/' or '\' (the whole path when it has neither): archives
// written on other systems use either separator. Both are ASCII, which no byte of a longer
// UTF-8 sequence can be, so the cut never splits a character.
constexpr std::string_view LastPathPart(std::string_view path)
{
    size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace zeb
