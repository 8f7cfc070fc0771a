#include <langinfo.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

#include "platform/CodePages.h"

namespace zeb {

namespace {

struct CharsetEntry {
    std::string_view charset;  // upper case, letters and digits only
    int32_t codePage;
};

constexpr CharsetEntry Charsets[] = {
    {"BIG5", 950},         {"BIG5HKSCS", 950},    {"CP1250", 1250},      {"CP1251", 1251},
    {"CP1252", 1252},      {"CP1253", 1253},      {"CP1254", 1254},      {"CP1255", 1255},
    {"CP1256", 1256},      {"CP1257", 1257},      {"CP1258", 1258},      {"CP437", 437},
    {"CP850", 850},        {"CP866", 866},        {"CP932", 932},        {"CP936", 936},
    {"CP949", 949},        {"EUCJP", 20932},      {"EUCKR", 51949},      {"GB18030", 54936},
    {"GB2312", 936},       {"GBK", 936},          {"IBM866", 866},       {"ISO88591", 28591},
    {"ISO885911", 874},    {"ISO885913", 28603},  {"ISO885915", 28605},  {"ISO88592", 28592},
    {"ISO88593", 28593},   {"ISO88594", 28594},   {"ISO88595", 28595},   {"ISO88596", 28596},
    {"ISO88597", 28597},   {"ISO88598", 28598},   {"ISO88599", 28599},   {"KOI8R", 20866},
    {"KOI8U", 21866},      {"SHIFTJIS", 932},     {"SJIS", 932},         {"TIS620", 874},
};

std::string Normalized(const std::string& charset)
{
    std::string key;
    for (unsigned char ch : charset) {
        if (std::isalnum(ch))
            key.push_back(char(std::toupper(ch)));
    }
    return key;
}

}  // namespace

int32_t AnsiCodePageFromCharset(const std::string& charset)
{
    std::string key = Normalized(charset);
    auto it = std::find_if(std::begin(Charsets), std::end(Charsets),
                           [&key](const CharsetEntry& e) { return e.charset == key; });
    return it != std::end(Charsets) ? it->codePage : Utf8CodePage;
}

int32_t SystemAnsiCodePage()
{
    const char* codeset = nl_langinfo(CODESET);
    return AnsiCodePageFromCharset(codeset ? codeset : "");
}

}  // namespace zeb
