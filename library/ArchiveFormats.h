// The one table of what the import takes: each archive format with its extension, its place
// in the texts that name the formats, and how its extractor is made.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zeb {

class ZEBExtractor;
class ZEBPrompter;

// How the import treats a chosen file, decided by its extension alone.
enum class ArchiveKind { Rar, Arj, Lzh, Ha, Zip, Text };

// One row of the table. A new archive format is one more row, with its extractor (a
// ZEBExtractor) in a folder of its own.
struct ArchiveFormat {
    ArchiveKind kind;
    // Upper case, with its dot; the rest is the format's name where formats are named.
    const char* extension;
    // Where the format comes when the formats are named (the file dialog's filter, zebtool's
    // texts), and where its pattern comes among the filter's patterns.
    int namedAt;
    int patternAt;
    // The extractor, putting its questions and reports to the user through the prompter;
    // none for texts, which are converted as they are.
    std::unique_ptr<ZEBExtractor> (*makeExtractor)(ZEBPrompter& prompter);
};

// The rows in the order a file's extension is compared with theirs: ".RAR", ".ARJ", ".LZH",
// ".HA", ".ZIP", then the texts' ".TXT".
std::span<const ArchiveFormat> ArchiveFormats();

// The kind for path's extension (from its last dot after the last separator, compared in upper
// case with the table's); Text for anything the table does not name.
ArchiveKind ArchiveKindOf(const std::string& path);

// The file dialog's filter for importing: its name, "ZIP, RAR, ARJ, LZH, HA or TXT", and its
// patterns, "*.TXT" first, each in upper case.
std::string ImportFilterName();
std::vector<std::string> ImportFilterPatterns();

// The archive extensions in lower case, in the order the formats are named, joined by
// separator and, before the last, by lastSeparator: ".zip, .rar, .arj, .lzh or .ha".
std::string ArchiveExtensionList(const std::string& separator, const std::string& lastSeparator);

}  // namespace zeb
