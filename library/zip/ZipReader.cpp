// Extracting ZIP entries (APPNOTE.TXT). The central directory lists the entries (ZipDirectory);
// each entry's data follows its local header, and the directory's sizes and CRC are used, as
// the local header may leave them 0 when flag bit 3 puts them in a descriptor after the data.
// For one entry: check the password against the 12-byte encryption header when flag bit 0 is
// set (ZipCrypto), ask before replacing a file already there, decode by method (ZipMethods)
// into a file capped at the declared size, and compare the CRC-32 of what came out with the
// directory's. A mismatch, or damaged data, on an encrypted entry means the password was wrong
// after all and asks for another; on a plain entry it is reported as a CRC error. Either way
// no file is left. A method not read here is reported and leaves an empty file, which the CRC
// check then keeps only when the entry's CRC is that of no data.
#include "library/zip/ZipReader.h"

#include <filesystem>
#include <optional>

#include "library/common/DosTime.h"
#include "library/common/ExtractedFile.h"
#include "library/common/MemberName.h"
#include "library/common/ReplaceTarget.h"
#include "library/zip/ZipCrypto.h"
#include "library/zip/ZipDirectory.h"
#include "library/zip/ZipError.h"
#include "library/zip/ZipInput.h"
#include "library/zip/ZipMethods.h"

namespace zeb {

void ZipReader::ReadDirectory()
{
    Forget();
    try {
        file_.Open(archiveName_);
        entries_ = ReadZipDirectory(file_);
    } catch (...) {
        Forget();
        throw;
    }
}

void ZipReader::ClearSelections()
{
    for (ZipEntry& entry : entries_)
        entry.selected = false;
}

void ZipReader::ExtractSelected()
{
    for (int i = 0; i < Count(); ++i) {
        if (entries_[size_t(i)].selected)
            Extract(i);
    }
}

void ZipReader::Forget()
{
    file_.Close();
    entries_.clear();
}

void ZipReader::Extract(int index)
{
    const ZipEntry& entry = entries_[size_t(index)];
    if (entry.name.empty())
        return;
    uint64_t dataStart = LocateZipData(file_, entry);
    if (dataStart > file_.Size() || entry.compressedSize > file_.Size() - dataStart)
        throw ZipError(ZipPrematureEndText);
    std::string target = ScratchPath(destination_, entry.name);
    for (;;) {
        if (entry.Encrypted() && !Unlock(index, dataStart))
            return;
        if (!ConfirmReplace(target, entry.name))
            return;
        Result result = Decode(entry, dataStart, target);
        if (result.intact)
            return;
        // Data that fails its check after the password passed the one-byte test means the
        // password was wrong after all; nothing else is the user's to fix.
        if (!entry.Encrypted() || !result.methodKnown) {
            if (onBadCrc_)
                onBadCrc_(result.crc, entry.crc, index);
            return;
        }
        if (!AskPassword(index))
            return;
    }
}

// Checks the current password against the encryption header, asking for another one until it
// passes or the user gives up.
bool ZipReader::Unlock(int index, uint64_t dataStart)
{
    const ZipEntry& entry = entries_[size_t(index)];
    uint8_t check = entry.flags & ZipEntry::DescriptorFlag ? uint8_t(entry.time >> 8)
                                                           : uint8_t(entry.crc >> 24);
    for (;;) {
        uint8_t last;
        ReadEncryptionHeader(dataStart, last);
        if (last == check)
            return true;
        if (!AskPassword(index))
            return false;
    }
}

// The keys of the current password after the 12-byte encryption header at dataStart, whose
// last decrypted byte goes to last.
ZipCrypto ZipReader::ReadEncryptionHeader(uint64_t dataStart, uint8_t& last) const
{
    uint8_t header[ZipCrypto::HeaderSize];
    file_.ReadAt(dataStart, header, sizeof header);
    ZipCrypto crypto(password_);
    crypto.Decrypt(header, sizeof header);
    last = header[ZipCrypto::HeaderSize - 1];
    return crypto;
}

// A different answer becomes the current password; the same one means the user gave up.
bool ZipReader::AskPassword(int index)
{
    std::string answer = password_;
    if (onBadPassword_)
        onBadPassword_(index, answer);
    if (answer == password_)
        return false;
    password_ = answer;
    return true;
}

bool ZipReader::ConfirmReplace(const std::string& target, const std::string& name)
{
    return FreeTarget(target, [&] { return AskReplace(prompter_, name); });
}

ZipReader::Result ZipReader::Decode(const ZipEntry& entry, uint64_t dataStart,
                                    const std::string& target)
{
    std::optional<ZipCrypto> crypto;
    uint64_t size = entry.compressedSize;
    if (entry.Encrypted()) {
        uint8_t last;
        crypto.emplace(ReadEncryptionHeader(dataStart, last));
        dataStart += ZipCrypto::HeaderSize;
        size = size > ZipCrypto::HeaderSize ? size - ZipCrypto::HeaderSize : 0;
    }
    ExtractedFile out(target, entry.uncompressedSize);
    ZipInput in(file_, dataStart, size, crypto ? &*crypto : nullptr);
    ZipDecodeResult decoded = DecodeZipData(entry.method, entry.flags, entry.uncompressedSize,
                                            in, out);
    if (decoded == ZipDecodeResult::UnknownMethod)
        prompter_.Message("Unknown Compression Method", "Zip Error", PromptIcon::Error,
                          PromptButtons::Ok);
    out.Finish();
    bool intact = decoded != ZipDecodeResult::Damaged && out.Crc() == entry.crc;
    if (intact) {
        out.Keep();
        SetFileDosTime(target, entry.time, entry.date);
    }
    return {intact, out.Crc(), decoded != ZipDecodeResult::UnknownMethod};
}

}  // namespace zeb
