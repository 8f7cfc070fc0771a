// zebtool import: texts, and the texts in archives, into a books folder, without a preview.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "library/ArchiveReaders.h"
#include "library/ZEBImport.h"
#include "library/zip/ZipError.h"
#include "platform/CodePageDecoder.h"
#include "platform/CodePages.h"
#include "platform/TempDir.h"
#include "storage/ZEBIOFailure.h"
#include "tools/zebtool/Commands.h"
#include "tools/zebtool/ToolPrompter.h"

namespace zeb::tool {

namespace {

namespace fs = std::filesystem;

// "-1" or "unicode" for UTF-16LE, else a code page number this system converts.
std::optional<int32_t> ParseCodePage(const std::string& text)
{
    if (text == "unicode" || text == "-1")
        return UnicodeCodePage;
    int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0 ||
        !GetCodePageInfo(value))
        return std::nullopt;
    return value;
}

struct ImportArguments {
    std::vector<std::string> files;
    std::string books;
    int32_t codePage = SystemAnsiCodePage();
    PromptOptions prompts;
};

// The arguments, or nothing after a message.
std::optional<ImportArguments> ParseImportArguments(const std::vector<std::string>& args)
{
    ImportArguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        OptionTaken taken = TakePromptOption(args, i, parsed.prompts);
        if (taken == OptionTaken::MissingValue) {
            Fail(args[i] + " needs a value");
            return std::nullopt;
        }
        if (taken == OptionTaken::Yes)
            continue;
        if (args[i] != "--codepage") {
            parsed.files.push_back(args[i]);
            continue;
        }
        std::optional<int32_t> codePage =
            i + 1 < args.size() ? ParseCodePage(args[++i]) : std::nullopt;
        if (!codePage) {
            Fail("--codepage needs an installed code page number, or unicode");
            return std::nullopt;
        }
        parsed.codePage = *codePage;
    }
    if (parsed.files.size() < 2) {
        Fail("import needs at least one file and a books folder");
        return std::nullopt;
    }
    parsed.books = parsed.files.back();
    parsed.files.pop_back();
    return parsed;
}

// Imports the files one after the other, printing each book written; false when anything
// failed. An archive that cannot be read ends the run, as in the library window.
bool ImportFiles(const ImportArguments& args, const std::string& scratch)
{
    ToolPrompter prompter(args.prompts);
    ArchiveReaders readers(prompter);
    ZEBImportWithoutPreview preview(args.codePage);
    ZEBNoProgress progress;
    ZEBImport import({args.books, scratch}, readers, prompter, preview, progress);
    std::string chosen;
    import.SetBookAdded([&chosen](const std::string& source, const std::string& book) {
        std::string from =
            source == chosen ? chosen : chosen + ": " + fs::path(source).filename().string();
        std::printf("%s -> %s\n", from.c_str(), book.c_str());
    });
    bool allDone = true;
    int32_t codePage = args.codePage;
    for (const std::string& file : args.files) {
        if (!fs::is_regular_file(file)) {
            Fail(file + ": no such file");
            allDone = false;
            continue;
        }
        chosen = file;
        try {
            import.Import({file}, codePage);
        } catch (const ZipError& error) {
            Fail(file + ": " + error.what());
            return false;
        } catch (const ZEBIOFailure&) {
            Fail(file + ": I/O failure while extracting");
            return false;
        }
    }
    return allDone && !prompter.ErrorShown();
}

}  // namespace

int ImportCommand(const std::vector<std::string>& args)
{
    std::optional<ImportArguments> parsed = ParseImportArguments(args);
    if (!parsed)
        return 1;
    if (!fs::is_directory(parsed->books))
        return Fail(parsed->books + ": no such folder");
    // A scratch folder of the tool's own, so that two runs never share extracted files.
    std::optional<TempDir> scratch;
    try {
        scratch.emplace();
    } catch (const std::runtime_error&) {
        return Fail("cannot make a scratch folder");
    }
    return ImportFiles(*parsed, scratch->Path().string()) ? 0 : 1;
}

}  // namespace zeb::tool
