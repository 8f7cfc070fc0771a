// Whether to replace a file already named like a member, as the ZIP and RAR extractors ask.
#pragma once

#include <functional>
#include <string>

#include "platform/ZEBPrompter.h"

namespace zeb {

// Asks "Replace existing file NAME?" (caption "File Exists Alert", Yes and No); true for Yes.
bool AskReplace(ZEBPrompter& prompter, const std::string& name);

// Makes room for a member at target: true when nothing has that name, or when agree() allows
// removing what has it. The name itself is removed, a link even when it dangles, never what
// it points to; false leaves everything as it was.
bool FreeTarget(const std::string& target, const std::function<bool()>& agree);

}  // namespace zeb
