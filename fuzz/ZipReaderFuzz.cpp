// Fuzzes the ZIP reader the way the import drives it: read the directory, then extract every
// entry that is not a directory, with "secret" as every password answer. seeds/zip holds small
// archives of the shared fixture corpus; the rest of that corpus makes more seeds:
//   cp ../shared/fixtures/archives/zip/*.zip ../shared/fixtures/archives/zip/*/* /tmp/corpus-zip
//
// A finding is a sanitizer report, a crash, a timeout or an exception other than the reader's
// own ZipError and the file layer's ZEBIOFailure.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/FuzzWorkFolder.h"
#include "library/ArchivePrompts.h"
#include "library/zip/ZipError.h"
#include "library/zip/ZipReader.h"
#include "storage/ZEBIOFailure.h"

namespace {

class FixedAnswers : public zeb::ZEBPrompter {
public:
    zeb::PromptAnswer Message(const std::string&, const std::string&, zeb::PromptIcon,
                              zeb::PromptButtons buttons) override
    {
        return buttons == zeb::PromptButtons::YesNo ? zeb::PromptAnswer::Yes
                                                    : zeb::PromptAnswer::Ok;
    }
    std::optional<std::string> Password(const std::string&, const std::string&) override
    {
        return "secret";
    }
};

void ExtractEverything(zeb::ZipReader& reader)
{
    reader.ReadDirectory();
    reader.ClearSelections();
    for (int i = 0; i < reader.Count(); ++i) {
        if (reader.ExternalAttributes(i) & 0x10 || reader.FileName(i).empty())
            continue;
        reader.Select(i);
        reader.ExtractSelected();
        reader.Deselect(i);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string archive = zeb::fuzz::WriteInput(data, size, "input.zip");
    const std::filesystem::path output = zeb::fuzz::WorkFolder::Path() / "out";
    std::filesystem::remove_all(output);
    std::filesystem::create_directory(output);

    FixedAnswers prompter;
    zeb::ZipReader reader(prompter);
    zeb::AnswerZipEvents(reader, prompter);
    reader.SetArchiveName(archive);
    reader.SetDestination(output.string());
    try {
        ExtractEverything(reader);
    } catch (const zeb::ZipError&) {
    } catch (const zeb::ZEBIOFailure&) {
    }
    reader.Forget();
    return 0;
}
