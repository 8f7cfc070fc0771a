// The table of archive formats and the texts made from it.
#include "library/ArchiveFormats.h"

#include <algorithm>

#include "library/ArchivePrompts.h"
#include "library/arj/ZEBArj.h"
#include "library/ha/ZEB_HA.h"
#include "library/lzh/ZEBLZH.h"
#include "library/rar/ZEBRar.h"
#include "library/zip/ZipExtractor.h"

namespace zeb {

namespace {

template <class Extractor>
std::unique_ptr<ZEBExtractor> Make(ZEBPrompter&)
{
    return std::make_unique<Extractor>();
}

std::unique_ptr<ZEBExtractor> MakeRar(ZEBPrompter& prompter)
{
    auto rar = std::make_unique<ZEBRar>();
    AnswerRarRequests(*rar, prompter);
    return rar;
}

std::unique_ptr<ZEBExtractor> MakeZip(ZEBPrompter& prompter)
{
    auto zip = std::make_unique<ZipExtractor>(prompter);
    AnswerZipEvents(zip->Reader(), prompter);
    return zip;
}

// The formats are named ZIP, RAR, ARJ, LZH, HA, TXT; the filter's patterns go TXT, RAR, ZIP,
// ARJ, HA, LZH.
constexpr ArchiveFormat Formats[] = {
    // kind            extension  namedAt  patternAt  makeExtractor
    {ArchiveKind::Rar, ".RAR",    1,       1,         MakeRar},
    {ArchiveKind::Arj, ".ARJ",    2,       3,         Make<ZEBArj>},
    {ArchiveKind::Lzh, ".LZH",    3,       5,         Make<ZEBLZH>},
    {ArchiveKind::Ha,  ".HA",     4,       4,         Make<ZEB_HA>},
    {ArchiveKind::Zip, ".ZIP",    0,       2,         MakeZip},
    {ArchiveKind::Text, ".TXT",   5,       0,         nullptr},
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

std::string Lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

// The rows ordered by one of their places.
std::vector<const ArchiveFormat*> OrderedBy(int ArchiveFormat::*place)
{
    std::vector<const ArchiveFormat*> rows;
    for (const ArchiveFormat& f : Formats)
        rows.push_back(&f);
    std::sort(rows.begin(), rows.end(), [place](const ArchiveFormat* a, const ArchiveFormat* b) {
        return a->*place < b->*place;
    });
    return rows;
}

std::string Join(const std::vector<std::string>& items, const std::string& separator,
                 const std::string& lastSeparator)
{
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? lastSeparator : separator;
        text += items[i];
    }
    return text;
}

}  // namespace

std::span<const ArchiveFormat> ArchiveFormats() { return Formats; }

ArchiveKind ArchiveKindOf(const std::string& path)
{
    std::string extension = UpperExtension(path);
    for (const ArchiveFormat& f : Formats) {
        if (extension == f.extension)
            return f.kind;
    }
    return ArchiveKind::Text;
}

std::string ImportFilterName()
{
    std::vector<std::string> names;
    for (const ArchiveFormat* f : OrderedBy(&ArchiveFormat::namedAt))
        names.push_back(f->extension + 1);
    return Join(names, ", ", " or ");
}

std::vector<std::string> ImportFilterPatterns()
{
    std::vector<std::string> patterns;
    for (const ArchiveFormat* f : OrderedBy(&ArchiveFormat::patternAt))
        patterns.push_back(std::string("*") + f->extension);
    return patterns;
}

std::string ArchiveExtensionList(const std::string& separator, const std::string& lastSeparator)
{
    std::vector<std::string> extensions;
    for (const ArchiveFormat* f : OrderedBy(&ArchiveFormat::namedAt)) {
        if (f->makeExtractor)
            extensions.push_back(Lower(f->extension));
    }
    return Join(extensions, separator, lastSeparator);
}

}  // namespace zeb
