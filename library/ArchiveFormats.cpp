#include "library/ArchiveKind.h"

namespace zeb {

namespace {

struct KindByExtension {
    const char* extension;
    ArchiveKind kind;
};

constexpr KindByExtension Kinds[] = {
    {".RAR", ArchiveKind::Rar}, {".ARJ", ArchiveKind::Arj}, {".LZH", ArchiveKind::Lzh},
    {".HA", ArchiveKind::Ha},   {".ZIP", ArchiveKind::Zip},
};

// Upper case for ASCII letters only, so that the locale never changes which kind a name is.
std::string UpperExtension(const std::string& path)
{
    size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.')
        return {};
    std::string extension = path.substr(dot);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return extension;
}

}  // namespace

ArchiveKind ArchiveKindOf(const std::string& path)
{
    std::string extension = UpperExtension(path);
    for (const KindByExtension& k : Kinds) {
        if (extension == k.extension)
            return k.kind;
    }
    return ArchiveKind::Text;
}

}  // namespace zeb
