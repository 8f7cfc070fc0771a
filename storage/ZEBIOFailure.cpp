#include "storage/ZEBIOFailure.h"

#include <cstring>

namespace zeb {

namespace {

std::string Describe(const std::string& action, const std::string& path, int error)
{
    std::string text = "cannot " + action;
    if (!path.empty())
        text += " " + path;
    return text + ": " + (error == 0 ? "unexpected end of file" : std::strerror(error));
}

}  // namespace

ZEBIOFailure::ZEBIOFailure(const std::string& action, const std::string& path, int error)
    : std::runtime_error(Describe(action, path, error)), path_(path), error_(error)
{
}

}  // namespace zeb
