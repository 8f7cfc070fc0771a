#include "storage/ZEBBook.h"

#include "storage/BookHeader.h"
#include "storage/BookOptions.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

// A book is read through three 1 MiB clusters.
constexpr int BookClusterShift = 20;
constexpr int BookClusterCount = 3;

}  // namespace

BookOpenResult ZEBBook::Open(const std::string& path)
{
    Close();
    BookOpenResult result = BookOpenResult::NotABook;
    try {
        result = Load(path);
    } catch (const ZEBIOFailure&) {
        // A file that cannot be opened or read is no book; one that fails after its header
        // checked out is damaged.
        if (textEnd_ > 0)
            result = BookOpenResult::Corrupted;
    }
    if (result != BookOpenResult::Opened)
        Close();
    return result;
}

BookOpenResult ZEBBook::Load(const std::string& path)
{
    file_.Open(path, FileAccess::ReadWrite, BookClusterShift, BookClusterCount);
    BookHeader header = BookHeader::Read(file_);
    if (!header.IsBook(file_.Size()))
        return BookOpenResult::NotABook;
    int32_t optionsOffset = int32_t(header.optionsOffset);
    textStart_ = int32_t(header.textStart);
    textEnd_ = int32_t(header.paragTableOffset);
    if (!file_.Verify(0, optionsOffset - SignatureSize) ||
        !file_.Verify(optionsOffset, file_.Size() - SignatureSize))
        return BookOpenResult::Corrupted;
    parags_.Load(file_, int32_t(header.paragTableOffset), int32_t(header.paragCount));
    lines_.Load(file_, int32_t(header.lineTableOffset), int32_t(header.lineCount));
    options_.Load(file_, optionsOffset);
    bookmarks_.TakeFrom(options_);
    return BookOpenResult::Opened;
}

void ZEBBook::Close() noexcept
{
    try {
        file_.Close();
    } catch (const ZEBIOFailure&) {
        // Only the options block is ever written, and its save reported the failure already;
        // the handle is released either way.
    }
    options_.Clear();
    parags_.Clear();
    lines_.Clear();
    bookmarks_.Clear();
    textStart_ = 0;
    textEnd_ = 0;
}

void ZEBBook::SaveState(const BookState& state)
{
    options_.SetInteger(OptPosition, uint32_t(state.Position));
    options_.SetInteger(OptPositionFraction, uint32_t(state.PositionFraction));
    options_.SetByte(OptFontWidth, state.FontWidth ? 1 : 0);
    options_.SetInteger(OptTextFormatting, state.TextFormatting);
    ZEBFileOptionsItem* bookmarks = bookmarks_.AppendTo(options_);

    int32_t optionsOffset = int32_t(BookHeader::Read(file_).optionsOffset);
    file_.Truncate(optionsOffset);
    file_.Sign(optionsOffset, options_.Save(file_, optionsOffset));
    file_.Flush();
    if (bookmarks)
        options_.Remove(*bookmarks);
}

}  // namespace zeb
