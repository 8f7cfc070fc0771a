#include "platform/Utf16.h"

#include <unicode/ustring.h>

namespace zeb {

namespace {

constexpr UChar32 Replacement = 0xFFFD;

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
    // At most one unit for each byte.
    std::u16string out(text.size(), u'\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), int32_t(out.size()), &length, text.data(),
                         int32_t(text.size()), Replacement, nullptr, &error);
    out.resize(U_SUCCESS(error) ? size_t(length) : 0);
    return out;
}

}  // namespace zeb
