#include "tools/zebtool/Arguments.h"

#include <sys/stat.h>

#include <cerrno>

#include "storage/ZEBIOFailure.h"

namespace zeb::tool {

CommandArguments SplitArguments(const std::vector<std::string>& args, const OptionTaker& take)
{
    CommandArguments split;
    size_t i = 0;
    for (; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            split.help = true;
            return split;
        }
        OptionTaken taken = take(args, i);
        if (taken == OptionTaken::MissingValue) {
            split.error = args[i] + " needs a value";
            return split;
        }
        if (taken == OptionTaken::No)
            split.plain.push_back(args[i]);
    }
    if (i < args.size())
        split.plain.insert(split.plain.end(), args.begin() + std::ptrdiff_t(i) + 1, args.end());
    return split;
}

std::string OpenProblem(const std::string& path, bool folder)
{
    struct stat st {};
    int error = 0;
    if (::stat(path.c_str(), &st) != 0)
        error = errno;
    else if (folder && !S_ISDIR(st.st_mode))
        error = ENOTDIR;
    else if (!folder && S_ISDIR(st.st_mode))
        error = EISDIR;
    else if (!folder && !S_ISREG(st.st_mode))
        return "cannot open " + path + ": not a regular file";
    return error == 0 ? std::string() : ZEBIOFailure("open", path, error).what();
}

}  // namespace zeb::tool
