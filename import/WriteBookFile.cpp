#include "import/WriteBookFile.h"

#include <cerrno>
#include <limits>

#include "import/ParagraphStarts.h"
#include "import/ScanSourceLine.h"
#include "import/SourceCharReader.h"
#include "import/WriteTextStream.h"
#include "import/ZEBProgress.h"
#include "platform/FileIO.h"
#include "platform/LastPathPart.h"
#include "platform/Utf16.h"
#include "storage/BookHeader.h"
#include "storage/BookOptions.h"
#include "storage/TextStream.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBFileOptions.h"
#include "storage/ZEBIOFailure.h"
#include "storage/ZEBParagInfo.h"

namespace zeb {

namespace {

constexpr int BookClusterShift = 15;
constexpr int BookClusterCount = 3;

// Both tables, the header, the first signature and the options block after the text stream
// that ends at textEnd.
void FinishBook(ZEBFile& book, int32_t textEnd, ZEBParagInfo& paragraphs,
                const ZEBParagInfo& lineStarts, const std::u16string& sourceName,
                int32_t sourceSize)
{
    paragraphs.Append(textEnd);
    BookHeader header;
    header.paragTableOffset = uint32_t(textEnd);
    header.paragCount = uint32_t(paragraphs.Count());
    int32_t position = paragraphs.Save(book, textEnd);
    header.lineTableOffset = uint32_t(position);
    header.lineCount = uint32_t(lineStarts.Count());
    position = lineStarts.Save(book, position);
    if (position > std::numeric_limits<int32_t>::max() - SignatureSize)
        throw book.Failure("write", EFBIG);
    const int32_t optionsOffset = position + SignatureSize;
    header.optionsOffset = uint32_t(optionsOffset);
    header.Write(book);
    book.Sign(0, position);

    ZEBFileOptions options;
    options.SetInteger(OptPosition, uint32_t(TextStart));
    options.SetInteger(OptPositionFraction, InitialPositionFraction);
    options.SetWideString(OptSourceName, sourceName);
    options.SetInteger(OptSourceSize, uint32_t(sourceSize));
    book.Sign(optionsOffset, options.Save(book, optionsOffset));
}

// Entries of the paragraph table: the text start, one per marked line, the end.
int32_t ParagraphCount(const ZEBLineInfo& lines)
{
    int32_t count = 2;
    for (const ZEBLineInfoObject& line : lines)
        count += line.paragraphStart ? 1 : 0;
    return count;
}

void WriteBook(SourceCharReader& reader, ZEBFile& book, const std::u16string& sourceName,
               ZEBProgress& progress)
{
    ZEBLineInfo lines = ScanSource(reader, progress);
    MarkBlocks(lines);
    MarkParagraphStarts(lines);
    ZEBParagInfo paragraphs, lineStarts;
    paragraphs.Reserve(ParagraphCount(lines));
    lineStarts.Reserve(int32_t(lines.size()) + 1);
    paragraphs.Append(TextStart);
    lineStarts.Append(TextStart);
    TextStreamWriter writer(book, TextStart, TextStreamWriter::Mode::Gather);
    WriteTextStream(reader, lines, writer, paragraphs, lineStarts, progress);
    writer.Flush();
    lines = ZEBLineInfo();
    FinishBook(book, writer.Position(), paragraphs, lineStarts, sourceName, reader.Size());
}

// Closes a book whose writing failed and deletes it.
void DiscardBook(ZEBFile& book, const std::string& path)
{
    try {
        book.Close();
    } catch (const ZEBIOFailure&) {
        // What could not be written back is deleted with the file.
    }
    RemovePath(path);
}

}  // namespace

std::u16string SourceFileName(std::string_view sourcePath)
{
    return FromUtf8(LastPathPart(sourcePath));
}

void WriteBookFile(ZEBFile& source, int32_t codePage, const std::string& destinationPath,
                   const std::string& sourcePath, ZEBProgress& progress)
{
    SourceCharReader reader(source, codePage);
    ZEBFile book;
    book.Open(destinationPath, FileAccess::CreateNew, BookClusterShift, BookClusterCount);
    try {
        ZEBProgressScope shown(progress, ConvertingFileText, 3 * int64_t(source.Size()));
        WriteBook(reader, book, SourceFileName(sourcePath), progress);
        book.Close();
    } catch (...) {
        DiscardBook(book, destinationPath);
        throw;
    }
}

}  // namespace zeb
