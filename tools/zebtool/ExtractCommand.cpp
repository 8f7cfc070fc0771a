// zebtool extract ARCHIVE FOLDER: writes the files of a ZIP, RAR, ARJ, LZH or HA archive into
// FOLDER with the program's own readers, printing each path, so any archive can be checked from
// a terminal.
#include <cstdio>
#include <filesystem>

#include "library/ArchiveReaders.h"
#include "library/zip/ZipError.h"
#include "storage/ZEBIOFailure.h"
#include "tools/zebtool/Commands.h"
#include "tools/zebtool/ToolPrompter.h"

namespace zeb::tool {

int ExtractCommand(const std::vector<std::string>& args)
{
    PromptOptions prompts;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        OptionTaken taken = TakePromptOption(args, i, prompts);
        if (taken == OptionTaken::MissingValue)
            return Fail(args[i] + " needs a value");
        if (taken == OptionTaken::No)
            paths.push_back(args[i]);
    }
    if (paths.size() != 2)
        return Fail("extract needs ARCHIVE FOLDER");
    const std::string& archive = paths[0];
    ArchiveKind kind = ArchiveKindOf(archive);
    if (kind == ArchiveKind::Text)
        return Fail("not a .zip, .rar, .arj, .lzh or .ha file: " + archive);
    std::error_code error;
    std::filesystem::create_directories(paths[1], error);
    if (error)
        return Fail("cannot create " + paths[1] + ": " + error.message());
    ToolPrompter prompter(prompts);
    ArchiveReaders readers(prompter);
    try {
        readers.ForEachMember(kind, archive, paths[1], [](const std::string& path) {
            std::printf("%s\n", path.c_str());
        });
    } catch (const ZipError& zipError) {
        return Fail(archive + ": " + zipError.what());
    } catch (const ZEBIOFailure&) {
        return Fail("I/O failure while extracting " + archive);
    }
    return prompter.ErrorShown() ? 1 : 0;
}

}  // namespace zeb::tool
