#include "platform/Utf16.h"

#include <unicode/ustring.h>

namespace zeb {

namespace {

constexpr UChar32 Replacement = 0xFFFD;

// UTF-8 to UTF-16, with the number of ill-formed sequences replaced.
std::u16string FromUtf8Counting(std::string_view text, int32_t& replaced)
{
    // At most one unit for each byte.
    std::u16string out(text.size(), u'\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), int32_t(out.size()), &length, text.data(),
                         int32_t(text.size()), Replacement, &replaced, &error);
    out.resize(U_SUCCESS(error) ? size_t(length) : 0);
    return out;
}

}  // namespace

std::string ToUtf8(std::u16string_view text)
{
    // At most three bytes for each UTF-16 unit.
    std::string out(3 * text.size(), '\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), int32_t(out.size()), &length, text.data(),
                       int32_t(text.size()), Replacement, nullptr, &error);
    out.resize(U_SUCCESS(error) ? size_t(length) : 0);
    return out;
}

std::u16string FromUtf8(std::string_view text)
{
    int32_t replaced = 0;
    return FromUtf8Counting(text, replaced);
}

bool IsValidUtf8(std::string_view text)
{
    int32_t replaced = 0;
    FromUtf8Counting(text, replaced);
    return replaced == 0;
}

std::string Utf32ToUtf8(std::u32string_view text)
{
    // At most two units for each code point.
    std::u16string units(2 * text.size(), u'\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF32WithSub(units.data(), int32_t(units.size()), &length,
                          reinterpret_cast<const UChar32*>(text.data()), int32_t(text.size()),
                          Replacement, nullptr, &error);
    units.resize(U_SUCCESS(error) ? size_t(length) : 0);
    return ToUtf8(units);
}

std::u32string Utf8ToUtf32(std::string_view text)
{
    std::u16string units = FromUtf8(text);
    std::u32string out(units.size(), U'\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF32WithSub(reinterpret_cast<UChar32*>(out.data()), int32_t(out.size()), &length,
                        units.data(), int32_t(units.size()), Replacement, nullptr, &error);
    out.resize(U_SUCCESS(error) ? size_t(length) : 0);
    return out;
}

}  // namespace zeb
