#pragma once

#include <string>

namespace zeb {

// Puts the complete file source in the place of target in one step: source's contents are
// forced to disk first, then source is renamed over target. False when either step fails;
// target is then as it was and source is left for the caller to remove.
bool ReplaceFile(const std::string& source, const std::string& target);

}  // namespace zeb
