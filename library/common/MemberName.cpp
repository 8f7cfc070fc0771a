// Names are cut at the last '/' or '\': archives made on DOS and Windows use the latter.
#include "library/common/MemberName.h"

#include "platform/LastPathPart.h"

namespace zeb {

std::string BareName(std::string_view stored)
{
    std::string_view name = LastPathPart(stored);
    if (name.empty() || name == "." || name == ".." || name.find('\0') != std::string_view::npos)
        return {};
    return std::string(name);
}

std::string ScratchPath(const std::string& scratchFolder, std::string_view stored)
{
    std::string name = BareName(stored);
    if (name.empty())
        return {};
    if (scratchFolder.empty() || scratchFolder.back() == '/')
        return scratchFolder + name;
    return scratchFolder + "/" + name;
}

}  // namespace zeb
