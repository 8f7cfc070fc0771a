// zebtool import: text files into a books folder, without a preview.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "import/BookFileName.h"
#include "import/ConvertTextToBook.h"
#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "platform/CodePageDecoder.h"
#include "platform/CodePages.h"
#include "platform/Utf16.h"
#include "storage/ZEBIOFailure.h"
#include "tools/zebtool/Commands.h"

namespace zeb::tool {

namespace {

// Answers every preview with "Import" in one code page.
class ImportWithoutPreview : public ZEBImportPreview {
public:
    explicit ImportWithoutPreview(int32_t codePage) : codePage_(codePage) {}
    std::optional<int32_t> Show(ZEBFile&, const std::u16string&, int32_t) override
    {
        return codePage_;
    }

private:
    int32_t codePage_;
};

class NoProgress : public ZEBProgress {
public:
    void Create(const std::string&, int64_t) override {}
    void Progress(int64_t) override {}
    void Destroy() override {}
};

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

// Converts one file; false (after a message) when it fails.
bool ImportFile(const std::string& file, const std::string& folder, int32_t codePage)
{
    if (!std::filesystem::is_regular_file(file)) {
        Fail(file + ": no such file");
        return false;
    }
    std::string book = FreeBookPath(folder);
    ImportWithoutPreview preview(codePage);
    NoProgress progress;
    try {
        ConvertTextToBook(FromUtf8(file), book, codePage, preview, progress);
    } catch (const ZEBIOFailure&) {
        Fail(file + ": cannot read it or write " + book);
        return false;
    }
    std::printf("%s -> %s\n", file.c_str(), book.c_str());
    return true;
}

}  // namespace

int ImportCommand(const std::vector<std::string>& args)
{
    std::vector<std::string> paths;
    int32_t codePage = SystemAnsiCodePage();
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--codepage") {
            paths.push_back(args[i]);
            continue;
        }
        std::optional<int32_t> parsed =
            i + 1 < args.size() ? ParseCodePage(args[++i]) : std::nullopt;
        if (!parsed)
            return Fail("--codepage needs an installed code page number, or unicode");
        codePage = *parsed;
    }
    if (paths.size() < 2)
        return Fail("import needs at least one text file and a books folder");
    std::string folder = paths.back();
    paths.pop_back();
    if (!std::filesystem::is_directory(folder))
        return Fail(folder + ": no such folder");
    bool allDone = true;
    for (const std::string& file : paths)
        allDone = ImportFile(file, folder, codePage) && allDone;
    return allDone ? 0 : 1;
}

}  // namespace zeb::tool
