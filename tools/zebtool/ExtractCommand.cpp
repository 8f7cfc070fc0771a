// zebtool extract ARCHIVE FOLDER: writes the files of a ZIP, RAR, ARJ, LZH or HA archive into
// FOLDER with the program's own readers, printing each path, so any archive can be checked from
// a terminal. An archive that does not end normally is named with the reason, and fails.
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
    CommandArguments split =
        SplitArguments(args, [&prompts](const std::vector<std::string>& all, size_t& i) {
            return TakePromptOption(all, i, prompts);
        });
    if (split.help)
        return ShowUsage();
    if (!split.error.empty())
        return Fail(split.error);
    if (split.plain.size() != 2)
        return Fail("extract needs ARCHIVE FOLDER");
    const std::string& archive = split.plain[0];
    const std::string& folder = split.plain[1];
    ArchiveKind kind = ArchiveKindOf(archive);
    if (kind == ArchiveKind::Text)
        return Fail("not a " + ArchiveExtensionList(", ", " or ") + " file: " + archive);
    if (std::string problem = OpenProblem(archive); !problem.empty())
        return Fail(problem);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return Fail("cannot create " + folder + ": " + error.message());
    ToolPrompter prompter(prompts);
    ArchiveReaders readers(prompter);
    ArchiveEnd end;
    try {
        end = readers.ForEachMember(kind, archive, folder, [](const std::string& path) {
            std::printf("%s\n", path.c_str());
        });
    } catch (const ZipError& zipError) {
        return Fail(archive + ": " + zipError.what());
    } catch (const ZEBIOFailure& failure) {
        return Fail(archive + ": " + failure.what());
    }
    if (!end.IsNormal())
        return Fail(archive + ": " + end.Text());
    return prompter.ErrorShown() ? 1 : 0;
}

}  // namespace zeb::tool
