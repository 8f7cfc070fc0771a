// zebtool extract ARCHIVE FOLDER: writes the files of an ARJ, LZH or HA archive into FOLDER
// with the program's own extractors, printing each path, so any archive can be checked from a
// terminal.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "library/ZEBArj.h"
#include "library/ZEBLZH.h"
#include "library/ZEB_HA.h"
#include "storage/ZEBIOFailure.h"
#include "tools/zebtool/Commands.h"

namespace zeb::tool {

namespace {

// The extractor for the archive's extension, compared in upper case as the import does.
std::unique_ptr<ZEBExtractor> ExtractorFor(const std::string& archive)
{
    std::string ext = std::filesystem::path(archive).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    if (ext == ".ARJ")
        return std::make_unique<ZEBArj>();
    if (ext == ".LZH")
        return std::make_unique<ZEBLZH>();
    if (ext == ".HA")
        return std::make_unique<ZEB_HA>();
    return nullptr;
}

}  // namespace

int ExtractCommand(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return Fail("extract needs ARCHIVE FOLDER");
    std::unique_ptr<ZEBExtractor> extractor = ExtractorFor(args[0]);
    if (!extractor)
        return Fail("not an .arj, .lzh or .ha file: " + args[0]);
    std::error_code error;
    std::filesystem::create_directories(args[1], error);
    if (error)
        return Fail("cannot create " + args[1] + ": " + error.message());
    try {
        for (std::string path = extractor->Open(args[0], args[1]); !path.empty();
             path = extractor->Next())
            std::printf("%s\n", path.c_str());
    } catch (const ZEBIOFailure&) {
        return Fail("I/O failure while extracting " + args[0]);
    }
    extractor->Close();
    return 0;
}

}  // namespace zeb::tool
