#pragma once

#include <string>

namespace zeb {

// How the import treats a chosen file, decided by its extension alone.
enum class ArchiveKind { Rar, Arj, Lzh, Ha, Zip, Text };

// The kind for path's extension (from its last dot after the last separator, compared in upper
// case with ".RAR", ".ARJ", ".LZH", ".HA" and ".ZIP" in that order); Text for anything else.
ArchiveKind ArchiveKindOf(const std::string& path);

}  // namespace zeb
