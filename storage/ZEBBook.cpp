#include "storage/ZEBBook.h"

#include <cerrno>

#include "platform/ScopeExit.h"
#include "storage/BookHeader.h"
#include "storage/BookOptions.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

// A book is read through three 1 MiB clusters.
constexpr int BookClusterShift = 20;
constexpr int BookClusterCount = 3;

// How the system refuses to open for writing a file that may still be read.
bool IsWritingRefused(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

BookOpenResult ZEBBook::Open(const std::string& path, TextCheck check)
{
    Close();
    BookOpenResult result = BookOpenResult::NotABook;
    try {
        result = Load(path, check);
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

BookOpenResult ZEBBook::Load(const std::string& path, TextCheck check)
{
    OpenFile(path);
    BookHeader header = BookHeader::Read(file_);
    if (!header.IsBook(file_.Size()))
        return BookOpenResult::NotABook;
    const int32_t optionsOffset = int32_t(header.optionsOffset);
    textStart_ = int32_t(header.textStart);
    textEnd_ = int32_t(header.paragTableOffset);
    if (check == TextCheck::Now && !file_.Verify(0, optionsOffset - SignatureSize))
        return BookOpenResult::Corrupted;
    identity_.optionsOffset = optionsOffset;
    file_.Read(optionsOffset - SignatureSize, identity_.textSignature.data(), SignatureSize);
    parags_.Load(file_, int32_t(header.paragTableOffset), int32_t(header.paragCount));
    lines_.Load(file_, int32_t(header.lineTableOffset), int32_t(header.lineCount));
    if (!LoadOptions())
        return BookOpenResult::Corrupted;
    // A block may name one of these twice; the book reads and writes the first one only, so
    // that a saved state is the one the next opening reads.
    for (uint16_t id : {OptPosition, OptPositionFraction, OptSourceSize, OptSourceName,
                        OptTextFormatting, OptFontWidth, OptBookmarks})
        options_.RemoveRepeats(id);
    bookmarks_.TakeFrom(options_);
    return BookOpenResult::Opened;
}

void ZEBBook::OpenFile(const std::string& path)
{
    try {
        file_.Open(path, FileAccess::ReadWrite, BookClusterShift, BookClusterCount);
    } catch (const ZEBIOFailure& failure) {
        if (!IsWritingRefused(failure.SystemError()))
            throw;
        file_.Open(path, FileAccess::Read, BookClusterShift, BookClusterCount);
        readOnly_ = true;
    }
}

bool ZEBBook::LoadOptions()
{
    const int32_t optionsOffset = identity_.optionsOffset;
    ZEBBookRecovery recovery = Recovery();
    if (file_.Verify(optionsOffset, file_.Size() - SignatureSize)) {
        options_.Load(file_, optionsOffset);
        // Left by a save that stopped before or after rewriting the book: the book holds the
        // old state or the new one, and that is the one it keeps.
        recovery.Discard();
        return true;
    }
    std::optional<ZEBFileOptions> recovered = recovery.Read();
    if (!recovered) {
        recovery.Discard();
        return false;
    }
    options_ = std::move(*recovered);
    if (readOnly_)
        return true;  // the recovery file stays for when the book can be written
    try {
        WriteOptionsBlock();
        recovery.Discard();
    } catch (const ZEBIOFailure&) {
        // The state is in memory and the recovery file stays: a later save or open restores
        // the book.
    }
    return true;
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
    identity_ = {};
    readOnly_ = false;
}

void ZEBBook::SaveState(const BookState& state)
{
    if (!IsOpen())
        throw file_.Failure("write", EBADF);
    if (readOnly_)
        return;
    options_.SetInteger(OptPosition, uint32_t(state.Position));
    options_.SetInteger(OptPositionFraction, uint32_t(state.PositionFraction));
    options_.SetByte(OptFontWidth, state.FontWidth ? 1 : 0);
    options_.SetInteger(OptTextFormatting, state.TextFormatting);
    // The bookmarks live in their list; the tree holds them only while it is written, however
    // that ends.
    ZEBFileOptionsItem* bookmarks = bookmarks_.AppendTo(options_);
    ScopeExit takeBack([this, bookmarks] {
        if (bookmarks)
            options_.Remove(*bookmarks);
    });

    ZEBBookRecovery recovery = Recovery();
    recovery.Write(options_);
    WriteOptionsBlock();
    recovery.Discard();
}

void ZEBBook::WriteOptionsBlock()
{
    const int32_t optionsOffset = identity_.optionsOffset;
    file_.Truncate(optionsOffset);
    file_.Sign(optionsOffset, options_.Save(file_, optionsOffset));
    file_.Sync();
}

}  // namespace zeb
