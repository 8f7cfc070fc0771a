#include "library/BrowseEntry.h"

#include <algorithm>
#include <exception>

#include "library/LibraryReader.h"
#include "library/ZEBBrowseFile.h"
#include "storage/BookHeader.h"
#include "storage/BookOptions.h"
#include "storage/BookText.h"
#include "storage/ZEBBook.h"
#include "storage/ZEBFile.h"

namespace zeb {

namespace {

constexpr char16_t Tab = 0x09;
// A small cache: an entry reads the header, the options block and a few lines of text.
constexpr int EntryClusterShift = 12, EntryClusterCount = 2;

// Collects one source line from its records.
class PreviewLine {
public:
    void Word(const std::u16string& word)
    {
        std::u16string_view units(word);
        if (!units.empty() && units.front() == Tab)
            units.remove_prefix(1);
        if (units.empty())
            return;
        if (blank_ && !text_.empty())
            Append(u" ");
        Append(units);
        blank_ = false;
    }
    void Blank() { blank_ = true; }
    // The line so far, and a fresh start.
    std::u16string Take()
    {
        blank_ = false;
        return std::move(text_);
    }

private:
    void Append(std::u16string_view units)
    {
        size_t room = PreviewLineLength - std::min(PreviewLineLength, text_.size());
        text_.append(units.substr(0, room));
    }

    std::u16string text_;
    bool blank_ = false;
};

std::unique_ptr<ZEBBrowseFileObject> NewEntry(const std::string& path,
                                              const ZEBFileOptions& options, const BookText& text)
{
    auto entry = std::make_unique<ZEBBrowseFileObject>();
    entry->bookPath = path;
    entry->title = options.GetWideString(OptSourceName, u"");
    entry->sourceSize = int32_t(options.GetInteger(OptSourceSize, 0));
    entry->preview = PreviewLines(text);
    return entry;
}

std::unique_ptr<ZEBBrowseFileObject> LoadFromFile(const std::string& path)
{
    ZEBFile file;
    file.Open(path, FileAccess::Read, EntryClusterShift, EntryClusterCount);
    BookHeader header = BookHeader::Read(file);
    const int32_t optionsOffset = int32_t(header.optionsOffset);
    if (header.magic != BookHeader::BookMagic || optionsOffset < BookHeaderSize ||
        !file.Verify(optionsOffset, file.Size() - SignatureSize))
        return nullptr;
    ZEBFileOptions options;
    options.Load(file, optionsOffset);
    // The header is not checked here: the text read never reaches past the signed part.
    const int64_t textEnd = std::min<int64_t>(header.paragTableOffset, optionsOffset - SignatureSize);
    return NewEntry(path, options, BookText(file, int32_t(header.textStart), int32_t(textEnd)));
}

}  // namespace

std::vector<std::u16string> PreviewLines(const BookText& text)
{
    std::vector<std::u16string> lines;
    PreviewLine line;
    TextRecord record{};
    std::u16string word;
    for (int32_t position = text.Start(); int32_t(lines.size()) < PreviewLineCount &&
                                          text.Read(position, record, word);
         position = record.next) {
        switch (record.kind) {
        case TextRecordKind::Word: line.Word(word); break;
        case TextRecordKind::SpaceRun: line.Blank(); break;
        case TextRecordKind::LineEnd:
            if (std::u16string done = line.Take(); !done.empty())
                lines.push_back(std::move(done));
            break;
        }
    }
    if (std::u16string last = line.Take(); !last.empty() && int32_t(lines.size()) < PreviewLineCount)
        lines.push_back(std::move(last));
    return lines;
}

std::unique_ptr<ZEBBrowseFileObject> LoadBrowseEntry(const std::string& path,
                                                     LibraryReader& reader)
{
    try {
        if (IsOpenBook(reader, path)) {
            ZEBBook& book = *reader.OpenBook();
            return NewEntry(path, book.Options(), book.Text());
        }
        return LoadFromFile(path);
    } catch (const std::exception&) {
        // Unreadable or malformed: left out like any other file that is no book.
        return nullptr;
    }
}

}  // namespace zeb
