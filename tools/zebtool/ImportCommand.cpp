// zebtool import: texts, and the texts in archives, into a books folder, without a preview.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "import/CodePageSuggestion.h"
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
    bool suggest = false;
    PromptOptions prompts;
};

// The arguments, or nothing after a message (or the usage, when asked for).
std::optional<ImportArguments> ParseImportArguments(const std::vector<std::string>& args,
                                                    int& status)
{
    ImportArguments parsed;
    std::optional<std::string> codePageText;
    CommandArguments split =
        SplitArguments(args, [&](const std::vector<std::string>& all, size_t& i) {
            if (all[i] != "--codepage")
                return TakePromptOption(all, i, parsed.prompts);
            codePageText = i + 1 < all.size() ? all[++i] : std::string();
            return OptionTaken::Yes;
        });
    status = 1;
    if (split.help) {
        status = ShowUsage();
        return std::nullopt;
    }
    if (!split.error.empty()) {
        Fail(split.error);
        return std::nullopt;
    }
    // "auto": each text in the code page its first bytes suggest.
    parsed.suggest = codePageText == "auto";
    if (codePageText && !parsed.suggest) {
        std::optional<int32_t> codePage = ParseCodePage(*codePageText);
        if (!codePage) {
            Fail("--codepage needs an installed code page number, unicode or auto");
            return std::nullopt;
        }
        parsed.codePage = *codePage;
    }
    if (split.plain.size() < 2) {
        Fail("import needs at least one file and a books folder");
        return std::nullopt;
    }
    parsed.books = split.plain.back();
    split.plain.pop_back();
    parsed.files = std::move(split.plain);
    return parsed;
}

// Imports each text in the code page its first bytes suggest, or in fallback when they suggest
// none, and remembers which it chose.
class SuggestingPreview : public ZEBImportPreview {
public:
    explicit SuggestingPreview(int32_t fallback) : fallback_(fallback) {}
    std::optional<int32_t> Show(ZEBFile& source, const std::u16string&, int32_t) override
    {
        CodePageSuggestion suggestion = SuggestCodePage(SuggestionSample(source));
        int32_t codePage = suggestion.Exists() ? suggestion.codePage : fallback_;
        choice_ = (suggestion.Exists() ? ", code page " : ", no suggestion, code page ") +
                  CodePageLabel(codePage);
        return codePage;
    }
    // What the last text was imported in, for the line that reports its book.
    const std::string& Choice() const { return choice_; }

private:
    int32_t fallback_;
    std::string choice_;
};

// Imports the files one after the other, printing each book written; false when anything
// failed or an archive did not end normally. An archive that cannot be read ends the run, as
// in the library window.
bool ImportFiles(const ImportArguments& args, const std::string& scratch)
{
    ToolPrompter prompter(args.prompts);
    ArchiveReaders readers(prompter);
    ZEBImportWithoutPreview fixed(args.codePage);
    SuggestingPreview suggesting(SystemAnsiCodePage());
    ZEBImportPreview& preview =
        args.suggest ? static_cast<ZEBImportPreview&>(suggesting) : fixed;
    ZEBNoProgress progress;
    ZEBImport import({args.books, scratch}, readers, prompter, preview, progress);
    std::string chosen;
    auto shown = [&chosen](const std::string& source) {
        return source == chosen ? chosen : chosen + ": " + fs::path(source).filename().string();
    };
    import.SetBookAdded([&](const std::string& source, const std::string& book) {
        std::printf("%s -> %s%s\n", shown(source).c_str(), book.c_str(),
                    args.suggest ? suggesting.Choice().c_str() : "");
    });
    bool allDone = true;
    import.SetConversionFailed([&](const std::string& source, const std::string& cause) {
        Fail(shown(source) + ": " + cause);
        allDone = false;
    });
    import.SetArchiveEnded([&allDone](const std::string& archive, const ArchiveEnd& end) {
        if (!end.IsNormal()) {
            Fail(archive + ": " + end.Text());
            allDone = false;
        }
    });
    int32_t codePage = args.codePage;
    for (const std::string& file : args.files) {
        if (std::string problem = OpenProblem(file); !problem.empty()) {
            Fail(problem);
            allDone = false;
            continue;
        }
        chosen = file;
        try {
            import.Import({file}, codePage);
        } catch (const ZipError& error) {
            Fail(file + ": " + error.what());
            return false;
        } catch (const ZEBIOFailure& failure) {
            Fail(file + ": " + failure.what());
            return false;
        }
    }
    return allDone && !prompter.ErrorShown();
}

}  // namespace

int ImportCommand(const std::vector<std::string>& args)
{
    int status = 0;
    std::optional<ImportArguments> parsed = ParseImportArguments(args, status);
    if (!parsed)
        return status;
    if (std::string problem = OpenProblem(parsed->books, true); !problem.empty())
        return Fail(problem);
    // A scratch folder of the tool's own, so that two runs never share extracted files.
    std::optional<TempDir> scratch;
    try {
        scratch.emplace();
    } catch (const std::runtime_error& error) {
        return Fail(std::string("cannot make a scratch folder: ") + error.what());
    }
    return ImportFiles(*parsed, scratch->Path().string()) ? 0 : 1;
}

}  // namespace zeb::tool
