// Conversion code point by code point, with the library's mark for undecoded name bytes.
#include "library/rar/WideText.h"

#include "platform/Utf16.h"

namespace zeb {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char32_t), "wide strings hold UTF-32 here");

constexpr wchar_t UndecodedMark = 0xFFFE;
constexpr wchar_t UndecodedBase = 0xE000;

std::u32string_view AsUtf32(std::wstring_view wide)
{
    return {reinterpret_cast<const char32_t*>(wide.data()), wide.size()};
}

}  // namespace

std::string WideToUtf8(std::wstring_view wide)
{
    if (wide.empty() || wide.front() != UndecodedMark)
        return Utf32ToUtf8(AsUtf32(wide));
    std::string out;
    for (size_t i = 1; i < wide.size(); ++i) {
        wchar_t c = wide[i];
        if (c >= UndecodedBase + 0x80 && c <= UndecodedBase + 0xFF)
            out += char(c - UndecodedBase);
        else
            out += Utf32ToUtf8(AsUtf32(wide.substr(i, 1)));
    }
    return out;
}

std::wstring Utf8ToWide(std::string_view utf8)
{
    std::u32string text = Utf8ToUtf32(utf8);
    return {text.begin(), text.end()};
}

}  // namespace zeb
