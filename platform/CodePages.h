#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zeb {

// The code page number that stands for the system ANSI code page.
constexpr int32_t AnsiCodePage = 0;
constexpr int32_t Utf8CodePage = 65001;

// What the system reports about one Windows code page.
struct CodePageInfo {
    int32_t codePage;
    int32_t maxCharSize;  // bytes of the longest character, as Windows counts them
    std::string name;     // the number padded to six places, then the description: "866   (OEM - Russian)"
};

// The Windows code page number a locale character set stands for. UTF-8, ASCII (the C and POSIX
// locales) and every set without a Windows counterpart give 65001: text files here are UTF-8.
int32_t AnsiCodePageFromCharset(const std::string& charset);

// The code page of the current locale's character set (nl_langinfo(CODESET)).
int32_t SystemAnsiCodePage();

// Information on a Windows code page number this system can convert, or nothing. AnsiCodePage
// describes the system ANSI code page.
std::optional<CodePageInfo> GetCodePageInfo(int32_t codePage);

// The ICU converter name for a listed Windows code page number, or null.
const char* IcuConverterName(int32_t codePage);

}  // namespace zeb
