#pragma once

#include <string>

namespace zeb {

// The first free book name in folder: the smallest number n >= 0 whose name, n as eight
// decimal digits (more when it needs them) and ".book", is not taken. Numbers of deleted books
// are used again.
std::string FreeBookPath(const std::string& folder);

}  // namespace zeb
