// The ZIP reader the import drives entry by entry; notes on extraction in ZipReader.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "library/zip/ZipArchiveFile.h"
#include "library/zip/ZipCrypto.h"
#include "library/zip/ZipEntry.h"
#include "platform/ZEBPrompter.h"

namespace zeb {

// Reads ZIP archives for the import: lists the central directory and extracts selected entries
// into a destination folder under their names without folder. The password typed for one
// entry stays for later entries and later archives.
//
// Reading the directory or an entry's data raises ZipError ("Not a valid zip file!",
// "Incomplete Zip File", "Premature end of file reached"); those end the import run.
class ZipReader {
public:
    // Asked for a password when the current one fails: receives the entry index and the
    // current password, and changes it to answer; leaving it unchanged skips the entry.
    using BadPasswordEvent = std::function<void(int entry, std::string& password)>;
    // Told about an entry whose data does not match its CRC-32; no file is left for it.
    using BadCrcEvent = std::function<void(uint32_t calculated, uint32_t stored, int entry)>;

    // The prompter asks whether to replace an existing file and reports unknown methods.
    explicit ZipReader(ZEBPrompter& prompter) : prompter_(prompter) {}

    void SetBadPasswordEvent(BadPasswordEvent event) { onBadPassword_ = std::move(event); }
    void SetBadCrcEvent(BadCrcEvent event) { onBadCrc_ = std::move(event); }

    void SetArchiveName(const std::string& path) { archiveName_ = path; }
    const std::string& ArchiveName() const { return archiveName_; }
    void ReadDirectory();
    void ClearSelections();
    void SetDestination(const std::string& folder) { destination_ = folder; }

    int Count() const { return int(entries_.size()); }
    // The entry's UTF-8 name without folder; "" when it cannot name a file.
    const std::string& FileName(int i) const { return entries_.at(size_t(i)).name; }
    const std::string& StoredName(int i) const { return entries_.at(size_t(i)).storedName; }
    uint32_t ExternalAttributes(int i) const { return entries_.at(size_t(i)).externalAttributes; }
    void Select(int i) { entries_.at(size_t(i)).selected = true; }
    void Deselect(int i) { entries_.at(size_t(i)).selected = false; }

    void ExtractSelected();
    // Closes the archive and empties the entry list.
    void Forget();

    const std::string& Password() const { return password_; }

private:
    struct Result {
        bool intact;          // the file was written and kept
        uint32_t crc;         // of what was written
        bool methodKnown;
    };

    void Extract(int index);
    bool Unlock(int index, uint64_t dataStart);
    ZipCrypto ReadEncryptionHeader(uint64_t dataStart, uint8_t& last) const;
    bool AskPassword(int index);
    bool ConfirmReplace(const std::string& target, const std::string& name);
    Result Decode(const ZipEntry& entry, uint64_t dataStart, const std::string& target);

    ZEBPrompter& prompter_;
    BadPasswordEvent onBadPassword_;
    BadCrcEvent onBadCrc_;
    std::string archiveName_;
    std::string destination_;
    std::string password_;
    ZipArchiveFile file_;
    std::vector<ZipEntry> entries_;
};

}  // namespace zeb
