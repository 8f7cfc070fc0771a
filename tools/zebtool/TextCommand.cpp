// zebtool text: a book's paragraphs, or its source lines, as UTF-8.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/Utf16.h"
#include "storage/BookText.h"
#include "storage/ZEBIOFailure.h"
#include "storage/ZEBParagInfo.h"
#include "tools/zebtool/Arguments.h"
#include "tools/zebtool/OpenedBook.h"
#include "tools/zebtool/Commands.h"

namespace zeb::tool {

namespace {

// The text of the records in [from, to): space runs as spaces, words without the paragraph's
// TAB, and each line end but a last one as lineBreak. A record reaching past the text ends it.
std::u16string RecordsText(const BookText& book, int32_t from, int32_t to, char16_t lineBreak)
{
    std::u16string text, word;
    TextRecord record;
    for (int32_t p = from; p < to && book.Read(p, record, word);) {
        p = record.next;
        if (record.kind == TextRecordKind::SpaceRun)
            text.append(size_t(record.count), u' ');
        else if (record.kind == TextRecordKind::Word)
            text += word[0] == u'\t' ? word.substr(1) : word;
        else if (p < to)
            text += lineBreak;
    }
    return text;
}

// Prints one output line per table entry: a paragraph, or a source line.
void PrintStretches(OpenedBook& book, int32_t tableOffset, int32_t count, char16_t lineBreak)
{
    ZEBParagInfo table;
    table.Load(book.file, tableOffset, count);
    const int32_t textEnd = int32_t(book.header.paragTableOffset);
    const BookText text(book.file, TextStart, textEnd);
    for (int32_t k = 0; k + 1 < table.Count(); ++k) {
        int32_t from = std::clamp(table[k], TextStart, textEnd);
        int32_t to = std::clamp(table[k + 1], from, textEnd);
        std::string line = ToUtf8(RecordsText(text, from, to, lineBreak));
        std::printf("%s\n", line.c_str());
    }
}

}  // namespace

int TextCommand(const std::vector<std::string>& args)
{
    bool lines = false;
    CommandArguments split =
        SplitArguments(args, [&lines](const std::vector<std::string>& all, size_t& i) {
            if (all[i] != "--lines")
                return OptionTaken::No;
            lines = true;
            return OptionTaken::Yes;
        });
    if (split.help)
        return ShowUsage();
    if (split.plain.size() != 1)
        return Fail("text needs one book file");
    const std::string& path = split.plain[0];
    OpenedBook book;
    try {
        OpenBookFile(path, book);
        if (!book.isBook)
            return Fail(path + ": not a book file");
        if (!book.textSigned || !book.optionsSigned)
            return Fail(path + ": the book is corrupted");
        if (lines)
            PrintStretches(book, int32_t(book.header.lineTableOffset),
                           int32_t(book.header.lineCount), u'\n');
        else
            PrintStretches(book, int32_t(book.header.paragTableOffset),
                           int32_t(book.header.paragCount), u' ');
    } catch (const ZEBIOFailure& failure) {
        return Fail(failure.what());
    }
    return 0;
}

}  // namespace zeb::tool
