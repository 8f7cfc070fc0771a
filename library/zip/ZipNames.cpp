// ZIP names have no code page of their own: flag bit 11 (APPNOTE.TXT, appendix D) marks UTF-8;
// otherwise the bytes are those of the system that made the archive, which the high byte of
// "version made by" tells: 0 MS-DOS, 6 OS/2 HPFS, 11 Windows NTFS and 14 VFAT use the OEM code
// page (437); the names of other systems are taken as UTF-8 when they are valid UTF-8.
#include "library/zip/ZipNames.h"

#include <array>

#include "platform/CodePageDecoder.h"
#include "platform/Utf16.h"

namespace zeb {
namespace {

constexpr uint16_t Utf8NameFlag = 0x0800;
// Names without the UTF-8 flag are in the old OEM code page of MS-DOS.
constexpr int32_t OemCodePage = 437;

// Host systems (high byte of "version made by") whose names are in the OEM code page:
// MS-DOS, OS/2 HPFS, Windows NTFS, Windows VFAT.
bool HostUsesOemNames(uint16_t versionMadeBy)
{
    switch (versionMadeBy >> 8) {
    case 0: case 6: case 11: case 14: return true;
    default: return false;
    }
}

}  // namespace

std::string Cp437ToUtf8(std::string_view bytes)
{
    static const CodePageDecoder oem(OemCodePage);
    const std::array<char16_t, 256>& table = *oem.ByteTable();
    std::u16string text;
    for (unsigned char b : bytes)
        text += table[b];
    return ToUtf8(text);
}

std::string ZipNameToUtf8(std::string_view stored, uint16_t flags, uint16_t versionMadeBy)
{
    if (flags & Utf8NameFlag)
        return IsValidUtf8(stored) ? std::string(stored) : ToUtf8(FromUtf8(stored));
    if (!HostUsesOemNames(versionMadeBy) && IsValidUtf8(stored))
        return std::string(stored);
    return Cp437ToUtf8(stored);
}

}  // namespace zeb
