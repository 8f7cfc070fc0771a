// The question, and making room by removing the name itself, never what a link points to.
#include "library/common/ReplaceTarget.h"

#include "platform/FileIO.h"

namespace zeb {

bool AskReplace(ZEBPrompter& prompter, const std::string& name)
{
    return prompter.Message("Replace existing file " + name + "?", "File Exists Alert",
                            PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes;
}

bool FreeTarget(const std::string& target, const std::function<bool()>& agree)
{
    if (!NameExists(target))
        return true;
    if (!agree())
        return false;
    // What cannot be removed makes the member's creation fail, which is reported there.
    RemovePath(target);
    return true;
}

}  // namespace zeb
