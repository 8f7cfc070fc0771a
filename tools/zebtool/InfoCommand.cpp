// zebtool info: what a book file holds, and whether its signatures are good.
#include <cstdio>

#include "platform/Utf16.h"
#include "storage/BookOptions.h"
#include "storage/ZEBFileOptions.h"
#include "storage/ZEBIOFailure.h"
#include "tools/zebtool/Arguments.h"
#include "tools/zebtool/OpenedBook.h"
#include "tools/zebtool/Commands.h"

namespace zeb::tool {

namespace {

void PrintHeader(const BookHeader& h, int32_t fileSize)
{
    std::printf("file size:          %d\n", int(fileSize));
    std::printf("text start:         %u\n", h.textStart);
    std::printf("paragraph table:    %u (%u entries, %u paragraphs)\n", h.paragTableOffset,
                h.paragCount, h.paragCount - 1);
    std::printf("line table:         %u (%u entries, %u lines)\n", h.lineTableOffset,
                h.lineCount, h.lineCount - 1);
    std::printf("options offset:     %u\n", h.optionsOffset);
}

void PrintOption(const ZEBFileOptionsItem& item)
{
    std::printf("  item %u, %u bytes", unsigned(item.Id()), unsigned(item.Length()));
    switch (item.Id()) {
    case OptPosition: std::printf(": position %u", item.GetInteger()); break;
    case OptPositionFraction: std::printf(": fraction %u", item.GetInteger()); break;
    case OptSourceSize: std::printf(": source size %u", item.GetInteger()); break;
    case OptSourceName:
        std::printf(": source name \"%s\"", ToUtf8(item.GetWideString()).c_str());
        break;
    case OptTextFormatting: std::printf(": text formatting %u", item.GetInteger()); break;
    case OptFontWidth: std::printf(": font width %u", unsigned(item.GetByte())); break;
    case OptBookmarks: std::printf(": %zu bookmarks", item.Children().size()); break;
    }
    std::printf("\n");
}

void PrintOptions(OpenedBook& book)
{
    ZEBFileOptions options;
    options.Load(book.file, int32_t(book.header.optionsOffset));
    std::printf("options:\n");
    if (options.Root()) {
        for (const auto& child : options.Root()->Children())
            PrintOption(*child);
    }
}

}  // namespace

int InfoCommand(const std::vector<std::string>& args)
{
    CommandArguments split = SplitArguments(
        args, [](const std::vector<std::string>&, size_t&) { return OptionTaken::No; });
    if (split.help)
        return ShowUsage();
    if (split.plain.size() != 1)
        return Fail("info needs one book file");
    const std::string& path = split.plain[0];
    OpenedBook book;
    try {
        OpenBookFile(path, book);
        if (!book.isBook)
            return Fail(path + ": not a book file");
        PrintHeader(book.header, book.file.Size());
        std::printf("text signature:     %s\n", book.textSigned ? "good" : "bad");
        std::printf("options signature:  %s\n", book.optionsSigned ? "good" : "bad");
        // Only a block that passed its signature check is parsed.
        if (book.optionsSigned)
            PrintOptions(book);
    } catch (const ZEBIOFailure& failure) {
        return Fail(failure.what());
    }
    if (!book.textSigned || !book.optionsSigned)
        return Fail(path + ": the book is corrupted");
    return 0;
}

}  // namespace zeb::tool
