// RAR archives through the UnRAR library; notes on the library's interface in ZEBRar.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "library/common/ZEBExtractor.h"

namespace zeb {

class ExtractedFile;

// Extracts RAR archives (multi-volume and encrypted ones included) through the UnRAR library:
// files go into the scratch folder under their bare names, directory entries are skipped, a
// file or link already named like a member is replaced only when the user agrees, and the
// first member that fails ends the archive after its error is reported.
class ZEBRar : public ZEBExtractor {
public:
    // Told the member name and the error text when a member fails.
    using ErrorCallback = std::function<void(const std::string& member, const std::string& text)>;
    // Asked for a missing volume by name: the name to try (again), or "" to give up.
    using VolumeCallback = std::function<std::string(const std::string& volume)>;
    // Asked for the password of the current member; "" for none.
    using PasswordCallback = std::function<std::string(const std::string& member)>;
    // Asked whether to replace what already has the member's name in the scratch folder; no
    // answer keeps it and skips the member.
    using ReplaceCallback = std::function<bool(const std::string& member)>;

    ZEBRar() = default;
    ~ZEBRar() override { Close(); }
    ZEBRar(const ZEBRar&) = delete;
    ZEBRar& operator=(const ZEBRar&) = delete;

    void SetErrorCallback(ErrorCallback callback) { onError_ = std::move(callback); }
    void SetVolumeCallback(VolumeCallback callback) { onVolume_ = std::move(callback); }
    void SetPasswordCallback(PasswordCallback callback) { onPassword_ = std::move(callback); }
    void SetReplaceCallback(ReplaceCallback callback) { onReplace_ = std::move(callback); }

    std::string Open(const std::string& archive, const std::string& scratchFolder) override;
    std::string Next() override;
    void Close() override;
    const ArchiveEnd& EndReason() const override { return end_; }

    // The archive's file name without folder.
    const std::string& ArchiveName() const { return archiveName_; }

    // The text shown for an UnRAR library error code.
    static std::string ErrorText(int code);

private:
    friend int RarLibraryCallback(unsigned message, long userData, long p1, long p2);

    std::string EndWalk(int code);
    ArchiveEnd EndFor(int code) const;
    int Extract(const std::string& path, uint64_t size, uint32_t dosTime);
    int Answer(unsigned message, long p1, long p2);
    int AnswerVolume(wchar_t* wideName, char* name, long mode);
    int AnswerPassword(wchar_t* widePassword, char* password, long size);
    int TakeData(const uint8_t* data, long size);

    void* handle_ = nullptr;
    std::string folder_;
    std::string member_;      // the current member's bare name
    int memberNumber_ = 0;    // its place in the archive, from 1
    std::string storedName_;  // its name as stored
    unsigned unpackVersion_ = 0;
    std::string archiveName_;
    ErrorCallback onError_;
    VolumeCallback onVolume_;
    PasswordCallback onPassword_;
    ReplaceCallback onReplace_;
    ArchiveEnd end_;
    std::string refusedVolume_;  // the volume asked for last and not given
    std::string ioFailure_;      // the text of the last failure writing a member
    // The library asks in wide characters first and, unless refused, again in 8-bit
    // characters; the second request takes the answer given to the first.
    std::optional<std::string> wideVolumeAnswer_;
    std::optional<std::string> widePasswordAnswer_;
    ExtractedFile* output_ = nullptr;
    bool writeFailed_ = false;
};

}  // namespace zeb
