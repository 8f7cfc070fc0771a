// libFuzzer target: a text of arbitrary bytes converted into a book, which must then open and
// hold a well-formed text stream. The first byte of the input chooses the code page (UTF-16LE,
// UTF-8, 1251, 932, 936, 54936 or UTF-7); the rest is the source text.
//
// A finding is a sanitizer report, a crash, a timeout, an escaping exception, or an abort from
// the checks: a text without a character is refused with its message and gives no book file;
// any other book opens, its source line and paragraph tables rise strictly from the text start to the text
// end, every paragraph starts on a line boundary, every line ends with its one line end, the
// records are well formed, the first word of each paragraph and only that one carries the TAB,
// and the import's options are those of the source.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "fuzz/FuzzWorkFolder.h"
#include "import/ConvertTextToBook.h"
#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "platform/CodePageDecoder.h"
#include "platform/ZEBPrompter.h"
#include "platform/Utf16.h"
#include "storage/BookHeader.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"

namespace {

using namespace zeb;

constexpr std::array<int32_t, 7> CodePages{UnicodeCodePage, 65001, 1251, 932, 936, 54936, 65000};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Strictly rising from the text start to the text end.
void CheckTable(const ZEBParagInfo& table, const ZEBBook& book)
{
    Check(table.Count() >= 2 && table[0] == book.TextStart() &&
          table[table.Count() - 1] == book.TextEnd());
    for (int32_t k = 1; k < table.Count(); ++k)
        Check(table[k] > table[k - 1]);
}

void CheckWord(const std::u16string& word, bool paragraphStart)
{
    const bool tab = word.front() == u'\t';
    Check(tab == paragraphStart);
    const size_t letters = word.size() - (tab ? 1 : 0);
    Check(letters >= 1 && letters <= 250);
    for (size_t i = tab ? 1 : 0; i < word.size(); ++i)
        Check(word[i] > u' ' && word[i] != 0xFEFF);
}

// Walks the records line by line: each line ends with a line end exactly at the next line
// table entry; a paragraph entry opens a TAB that the next word takes.
void CheckText(ZEBBook& book)
{
    const ZEBParagInfo& lines = book.Lines();
    const ZEBParagInfo& parags = book.Parags();
    const BookText text = book.Text();
    int32_t parag = 1;
    bool tabPending = true;
    TextRecord record;
    std::u16string word;
    for (int32_t k = 0; k + 1 < lines.Count(); ++k) {
        if (parag < parags.Count() - 1 && parags[parag] == lines[k]) {
            tabPending = true;
            ++parag;
        }
        Check(parag == parags.Count() - 1 || parags[parag] > lines[k]);
        int32_t position = lines[k];
        do {
            Check(text.Read(position, record, word));
            if (record.kind == TextRecordKind::Word) {
                CheckWord(word, tabPending);
                tabPending = false;
            } else if (record.kind == TextRecordKind::SpaceRun) {
                Check(record.count >= 1 && record.count <= 255);
            }
            position = record.next;
        } while (record.kind != TextRecordKind::LineEnd && position < lines[k + 1]);
        Check(record.kind == TextRecordKind::LineEnd && position == lines[k + 1]);
    }
    Check(parag == parags.Count() - 1);
}

void CheckBook(const std::string& path, size_t sourceSize)
{
    ZEBBook book;
    Check(book.Open(path) == BookOpenResult::Opened);
    CheckTable(book.Lines(), book);
    CheckTable(book.Parags(), book);
    CheckText(book);
    const ZEBFileOptions& options = book.Options();
    Check(options.GetInteger(OptPosition, 0) == uint32_t(TextStart));
    Check(options.GetInteger(OptPositionFraction, 0) == InitialPositionFraction);
    Check(options.GetInteger(OptSourceSize, 0) == sourceSize);
    Check(options.GetWideString(OptSourceName, u"") == u"source.txt");
}

// Counts the messages of the conversion; only an empty text gives one.
class MessageCounter : public ZEBPrompter {
public:
    PromptAnswer Message(const std::string& text, const std::string&, PromptIcon, PromptButtons) override
    {
        Check(text.rfind(EmptyTextMessage, 0) == 0);
        ++messages;
        return PromptAnswer::Ok;
    }
    std::optional<std::string> Password(const std::string&, const std::string&) override { return {}; }
    int messages = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    int32_t codePage = CodePages[data[0] % CodePages.size()];
    const std::string source = zeb::fuzz::WriteInput(data + 1, size - 1, "source.txt");
    const std::string book = (zeb::fuzz::WorkFolder::Path() / "00000001.book").string();
    std::filesystem::remove(book);

    ZEBImportWithoutPreview preview(codePage);
    ZEBNoProgress progress;
    MessageCounter prompter;
    int32_t importCodePage = 0;
    bool converted = ConvertTextToBook(source, book, importCodePage, preview, progress, prompter);
    Check(importCodePage == codePage);
    if (!converted) {
        Check(prompter.messages == 1 && !std::filesystem::exists(book));
        return 0;
    }
    Check(prompter.messages == 0);
    CheckBook(book, size - 1);
    return 0;
}
