// RAR archives, read by the UnRAR library through the archive interface that RARLAB's
// unRAR.dll manual describes. RAROpenArchiveEx opens an archive (the callback and its user
// data given there, so that encrypted headers can ask for their password at once);
// RARReadHeaderEx reads the next member's header (wide names, the RHDF_DIRECTORY flag, sizes,
// DOS time); RARProcessFile skips, tests or extracts that member; RARCloseArchive ends. Every
// call answers with an ERAR_ code, which ErrorText and EndFor turn into the user's message and
// the walk's end reason.
// The library calls back for a missing volume (UCM_CHANGEVOLUME: -1 gives up, 1 retries the
// name left in the buffer), for a password (UCM_NEEDPASSWORD) and with each piece of unpacked
// data (UCM_PROCESSDATA). The first two come in wide characters and, unless refused, once more
// in 8-bit characters, which get the answer given before.
// Members are tested rather than extracted and their data is written here, so that the file
// on disk has the member's UTF-8 name whatever the locale and never outgrows its declared size.
#include "library/rar/ZEBRar.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include <unrar/dll.hpp>

#include "library/common/DosTime.h"
#include "library/common/ExtractedFile.h"
#include "library/common/MemberName.h"
#include "library/common/ReplaceTarget.h"
#include "library/rar/WideText.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {
namespace {

// The library's volume name buffers hold more than this; longer answers are cut.
constexpr size_t VolumeNameCapacity = 1024;

template <typename Char, typename Text>
void CopyTerminated(Char* destination, const Text& text, size_t capacity)
{
    if (capacity == 0)
        return;
    size_t count = std::min(text.size(), capacity - 1);
    std::copy_n(text.begin(), count, destination);
    destination[count] = 0;
}

std::string FileNamePart(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

}  // namespace

int RarLibraryCallback(unsigned message, long userData, long p1, long p2)
{
    return reinterpret_cast<ZEBRar*>(userData)->Answer(message, p1, p2);
}

std::string ZEBRar::ErrorText(int code)
{
    switch (code) {
    case ERAR_BAD_DATA: return "File CRC error";
    case ERAR_BAD_ARCHIVE: return "Volume is not valid RAR archive";
    case ERAR_UNKNOWN_FORMAT: return "Unknown archive format";
    case ERAR_EOPEN: return "Volume open error";
    case ERAR_ECREATE: return "File create error";
    case ERAR_ECLOSE: return "File close error";
    case ERAR_EREAD: return "Read error";
    case ERAR_EWRITE: return "Write error";
    default: return "Unknown Error";
    }
}

std::string ZEBRar::Open(const std::string& archive, const std::string& scratchFolder)
{
    Close();
    memberNumber_ = 0;
    storedName_.clear();
    member_.clear();
    refusedVolume_.clear();
    ioFailure_.clear();
    wideVolumeAnswer_.reset();
    widePasswordAnswer_.reset();
    end_ = ArchiveFileProblem(archive);
    if (!end_.IsNormal())
        return {};
    folder_ = scratchFolder;
    archiveName_ = FileNamePart(archive);

    std::vector<char> name(archive.begin(), archive.end());
    name.push_back(0);
    char comment[256];
    RAROpenArchiveDataEx data{};
    data.ArcName = name.data();
    data.OpenMode = RAR_OM_EXTRACT;
    data.CmtBuf = comment;
    data.CmtBufSize = sizeof comment;
    // Handing the callback over at opening lets archives with encrypted headers ask for
    // their password before the first header can be read.
    data.Callback = RarLibraryCallback;
    data.UserData = reinterpret_cast<LPARAM>(this);
    handle_ = RAROpenArchiveEx(&data);
    if (!handle_ || data.OpenResult != ERAR_SUCCESS)
        return EndWalk(data.OpenResult != ERAR_SUCCESS ? int(data.OpenResult) : ERAR_UNKNOWN);
    return Next();
}

std::string ZEBRar::Next()
{
    while (handle_) {
        RARHeaderDataEx header{};
        ++memberNumber_;
        storedName_.clear();
        int read = RARReadHeaderEx(handle_, &header);
        if (read != ERAR_SUCCESS)
            return EndWalk(read);
        storedName_ = WideToUtf8(header.FileNameW);
        unpackVersion_ = header.UnpVer;
        std::string name = BareName(storedName_);
        std::string path = ScratchPath(folder_, name);
        // Named before anything is asked: skipping a member of a solid archive may need its
        // password.
        member_ = name;
        bool wanted = !(header.Flags & RHDF_DIRECTORY) && !name.empty() &&
                      FreeTarget(path, [&] { return onReplace_ && onReplace_(name); });
        if (!wanted) {
            int skipped = RARProcessFile(handle_, RAR_SKIP, nullptr, nullptr);
            if (skipped != ERAR_SUCCESS)
                return EndWalk(skipped);
            continue;
        }
        uint64_t size = header.UnpSize | uint64_t(header.UnpSizeHigh) << 32;
        int result = Extract(path, size, header.FileTime);
        if (result == ERAR_SUCCESS)
            return path;
        if (onError_)
            onError_(member_, ErrorText(result));
        return EndWalk(result);
    }
    return {};
}

void ZEBRar::Close()
{
    if (handle_)
        RARCloseArchive(handle_);
    handle_ = nullptr;
}

std::string ZEBRar::EndWalk(int code)
{
    end_ = EndFor(code);
    Close();
    return {};
}

// The reason for a library code met at the current member (none yet while opening).
ArchiveEnd ZEBRar::EndFor(int code) const
{
    using Kind = ArchiveEnd::Kind;
    const bool opening = memberNumber_ == 0;
    ArchiveEnd end{Kind::Damaged, memberNumber_, storedName_, {}};
    switch (code) {
    case ERAR_END_ARCHIVE:
        return {};
    case ERAR_BAD_ARCHIVE:
    case ERAR_UNKNOWN_FORMAT:
        if (opening)
            return {Kind::NotOfFormat, 0, {}, "a RAR archive"};
        if (code == ERAR_UNKNOWN_FORMAT) {
            end.kind = Kind::UnknownMethod;
            end.detail = "RAR unpacking version " + std::to_string(unpackVersion_);
        }
        return end;
    case ERAR_EOPEN:
        if (opening)
            return {Kind::Unreadable, 0, {}, ErrorText(code)};
        end.kind = Kind::Missing;
        end.detail = refusedVolume_;
        return end;
    case ERAR_ECREATE:
    case ERAR_ECLOSE:
    case ERAR_EREAD:
    case ERAR_EWRITE:
        end.kind = Kind::IOFailure;
        end.detail = ioFailure_.empty() ? ErrorText(code) : ioFailure_;
        return end;
    case ERAR_MISSING_PASSWORD:
    case ERAR_BAD_PASSWORD:
        end.kind = Kind::Password;
        return end;
    default:
        return end;
    }
}

// The library tests the member and hands over its data, which is written here; that keeps the
// name on disk exactly the UTF-8 name, whatever the locale, and the size within the declared one.
int ZEBRar::Extract(const std::string& path, uint64_t size, uint32_t dosTime)
{
    std::optional<ExtractedFile> out;
    try {
        out.emplace(path, size, ExtractedFile::Checksum::ByLibrary);
    } catch (const ZEBIOFailure& failure) {
        ioFailure_ = failure.what();
        return ERAR_ECREATE;
    }
    output_ = &*out;
    writeFailed_ = false;
    int result = RARProcessFile(handle_, RAR_TEST, nullptr, nullptr);
    output_ = nullptr;
    if (writeFailed_)
        return ERAR_EWRITE;
    if (out->Overflowed())
        return ERAR_BAD_DATA;
    if (result != ERAR_SUCCESS)
        return result;
    try {
        out->Finish();
    } catch (const ZEBIOFailure& failure) {
        ioFailure_ = failure.what();
        return ERAR_EWRITE;
    }
    out->Keep();
    SetFileDosTime(path, uint16_t(dosTime), uint16_t(dosTime >> 16));
    return ERAR_SUCCESS;
}

int ZEBRar::Answer(unsigned message, long p1, long p2)
{
    switch (message) {
    case UCM_CHANGEVOLUMEW: return AnswerVolume(reinterpret_cast<wchar_t*>(p1), nullptr, p2);
    case UCM_CHANGEVOLUME: return AnswerVolume(nullptr, reinterpret_cast<char*>(p1), p2);
    case UCM_NEEDPASSWORDW: return AnswerPassword(reinterpret_cast<wchar_t*>(p1), nullptr, p2);
    case UCM_NEEDPASSWORD: return AnswerPassword(nullptr, reinterpret_cast<char*>(p1), p2);
    case UCM_PROCESSDATA: return TakeData(reinterpret_cast<const uint8_t*>(p1), p2);
    default: return 0;
    }
}

// The library only reports a volume it opened (0), or asks for a missing one: -1 gives up,
// 1 makes it try the name left in the buffer.
int ZEBRar::AnswerVolume(wchar_t* wideName, char* name, long mode)
{
    if (mode != RAR_VOL_ASK)
        return 0;
    if (name && wideVolumeAnswer_) {
        // The 8-bit buffer already holds the library's own copy of the wide answer.
        bool retry = !wideVolumeAnswer_->empty();
        wideVolumeAnswer_.reset();
        return retry ? 1 : -1;
    }
    std::string asked = wideName ? WideToUtf8(wideName) : std::string(name);
    std::string answer = onVolume_ ? onVolume_(asked) : std::string();
    if (wideName)
        wideVolumeAnswer_ = answer;
    if (answer.empty()) {
        refusedVolume_ = asked;
        return -1;
    }
    if (answer != asked) {
        if (wideName)
            CopyTerminated(wideName, Utf8ToWide(answer), VolumeNameCapacity);
        else
            CopyTerminated(name, answer, VolumeNameCapacity);
    }
    return 1;
}

int ZEBRar::AnswerPassword(wchar_t* widePassword, char* password, long size)
{
    std::string answer;
    if (password && widePasswordAnswer_) {
        answer = *widePasswordAnswer_;
        widePasswordAnswer_.reset();
    } else if (onPassword_) {
        answer = onPassword_(member_);
    }
    size_t capacity = size > 0 ? size_t(size) : 0;
    if (widePassword) {
        widePasswordAnswer_ = answer;
        CopyTerminated(widePassword, Utf8ToWide(answer), capacity);
    } else {
        CopyTerminated(password, answer, capacity);
    }
    return 0;
}

int ZEBRar::TakeData(const uint8_t* data, long size)
{
    if (!output_ || size < 0)
        return 0;
    try {
        output_->Put(data, size_t(size));
    } catch (const ZEBIOFailure& failure) {
        writeFailed_ = true;
        ioFailure_ = failure.what();
        return -1;
    }
    return output_->Overflowed() ? -1 : 0;
}

}  // namespace zeb
