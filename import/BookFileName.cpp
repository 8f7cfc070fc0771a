#include "import/BookFileName.h"

#include <cstdio>
#include <filesystem>

namespace zeb {

std::string FreeBookPath(const std::string& folder)
{
    for (unsigned long n = 0;; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "%08lu.book", n);
        std::filesystem::path path = std::filesystem::path(folder) / name;
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
            return path.string();
    }
}

}  // namespace zeb
