// Fuzzes the ZIP reader the way the import drives it: read the directory, then extract every
// entry that is not a directory, with "secret" as every password answer.
//
//   ninja -C build-fuzz zip_reader_fuzz
//   mkdir -p build-fuzz/zip-corpus
//   cp ../shared/fixtures/archives/zip/*.zip ../shared/fixtures/archives/zip/*/* build-fuzz/zip-corpus
//   build-fuzz/fuzz/zip_reader_fuzz -max_total_time=600 -timeout=10 build-fuzz/zip-corpus
//
// A finding is a sanitizer report, a crash, a timeout or an exception other than the reader's
// own ZipError and the file layer's ZEBIOFailure.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "library/ArchivePrompts.h"
#include "library/ZipError.h"
#include "library/ZipReader.h"
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

// A folder in memory when /dev/shm exists, for the archive and the extracted files; removed
// when the run ends.
struct WorkFolder {
    WorkFolder()
    {
        std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        std::string pattern = (base / "zebfuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        path = pattern;
    }
    ~WorkFolder() { std::filesystem::remove_all(path); }

    std::filesystem::path path;
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
    static const WorkFolder folder;
    static const std::filesystem::path output = folder.path / "out";
    const std::string archive = (folder.path / "input.zip").string();
    {
        std::ofstream file(archive, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
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
