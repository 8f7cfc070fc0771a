#include <unicode/ucnv.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "platform/CodePages.h"

namespace zeb {

namespace {

struct CodePageEntry {
    int32_t codePage;
    int32_t maxCharSize;
    const char* description;  // as Windows names the code page
    const char* icuName;
};

// Windows code pages with an ICU converter of the same mapping, in increasing order. Numbers
// ICU lacks (Johab, most Macintosh sets, T.61, some EBCDIC pages) are not listed.
constexpr CodePageEntry Table[] = {
    {37, 1, "IBM EBCDIC - U.S./Canada", "ibm-37"},
    {437, 1, "OEM - United States", "ibm-437"},
    {500, 1, "IBM EBCDIC - International", "ibm-500"},
    {708, 1, "Arabic - ASMO", "ASMO-708"},
    {720, 1, "Arabic - Transparent ASMO", "windows-720"},
    {737, 1, "OEM - Greek 437G", "ibm-737"},
    {775, 1, "OEM - Baltic", "ibm-775"},
    {850, 1, "OEM - Multilingual Latin I", "ibm-850"},
    {852, 1, "OEM - Latin II", "ibm-852"},
    {855, 1, "OEM - Cyrillic", "ibm-855"},
    {857, 1, "OEM - Turkish", "ibm-857"},
    {858, 1, "OEM - Multilingual Latin I + Euro", "ibm-858"},
    {860, 1, "OEM - Portuguese", "ibm-860"},
    {861, 1, "OEM - Icelandic", "ibm-861"},
    {862, 1, "OEM - Hebrew", "ibm-862"},
    {863, 1, "OEM - Canadian French", "ibm-863"},
    {864, 1, "OEM - Arabic", "ibm-864"},
    {865, 1, "OEM - Nordic", "ibm-865"},
    {866, 1, "OEM - Russian", "ibm-866"},
    {869, 1, "OEM - Modern Greek", "ibm-869"},
    {870, 1, "IBM EBCDIC - Multilingual/ROECE (Latin-2)", "ibm-870"},
    {874, 1, "ANSI/OEM - Thai", "windows-874"},
    {875, 1, "IBM EBCDIC - Modern Greek", "ibm-875"},
    {932, 2, "ANSI/OEM - Japanese Shift-JIS", "windows-932"},
    {936, 2, "ANSI/OEM - Simplified Chinese GBK", "windows-936"},
    {949, 2, "ANSI/OEM - Korean Unified Hangul", "windows-949"},
    {950, 2, "ANSI/OEM - Traditional Chinese Big5", "windows-950"},
    {1026, 1, "IBM EBCDIC - Turkish (Latin-5)", "ibm-1026"},
    {1047, 1, "IBM EBCDIC - Latin-1/Open System", "ibm-1047"},
    {1140, 1, "IBM EBCDIC - U.S./Canada (037 + Euro)", "ibm-1140"},
    {1141, 1, "IBM EBCDIC - Germany (20273 + Euro)", "ibm-1141"},
    {1142, 1, "IBM EBCDIC - Denmark/Norway (20277 + Euro)", "ibm-1142"},
    {1143, 1, "IBM EBCDIC - Finland/Sweden (20278 + Euro)", "ibm-1143"},
    {1144, 1, "IBM EBCDIC - Italy (20280 + Euro)", "ibm-1144"},
    {1145, 1, "IBM EBCDIC - Latin America/Spain (20284 + Euro)", "ibm-1145"},
    {1146, 1, "IBM EBCDIC - United Kingdom (20285 + Euro)", "ibm-1146"},
    {1147, 1, "IBM EBCDIC - France (20297 + Euro)", "ibm-1147"},
    {1148, 1, "IBM EBCDIC - International (500 + Euro)", "ibm-1148"},
    {1149, 1, "IBM EBCDIC - Icelandic (20871 + Euro)", "ibm-1149"},
    {1250, 1, "ANSI - Central Europe", "windows-1250"},
    {1251, 1, "ANSI - Cyrillic", "windows-1251"},
    {1252, 1, "ANSI - Latin I", "windows-1252"},
    {1253, 1, "ANSI - Greek", "windows-1253"},
    {1254, 1, "ANSI - Turkish", "windows-1254"},
    {1255, 1, "ANSI - Hebrew", "windows-1255"},
    {1256, 1, "ANSI - Arabic", "windows-1256"},
    {1257, 1, "ANSI - Baltic", "windows-1257"},
    {1258, 1, "ANSI/OEM - Viet Nam", "windows-1258"},
    {10000, 1, "MAC - Roman", "x-mac-roman"},
    {10006, 1, "MAC - Greek I", "x-mac-greek"},
    {10007, 1, "MAC - Cyrillic", "x-mac-cyrillic"},
    {10029, 1, "MAC - Latin II", "x-mac-centraleurroman"},
    {10081, 1, "MAC - Turkish", "x-mac-turkish"},
    {20127, 1, "US-ASCII", "US-ASCII"},
    {20273, 1, "IBM EBCDIC - Germany", "ibm-273"},
    {20277, 1, "IBM EBCDIC - Denmark/Norway", "ibm-277"},
    {20278, 1, "IBM EBCDIC - Finland/Sweden", "ibm-278"},
    {20280, 1, "IBM EBCDIC - Italy", "ibm-280"},
    {20284, 1, "IBM EBCDIC - Latin America/Spain", "ibm-284"},
    {20285, 1, "IBM EBCDIC - United Kingdom", "ibm-285"},
    {20290, 1, "IBM EBCDIC - Japanese Katakana Extended", "ibm-290"},
    {20297, 1, "IBM EBCDIC - France", "ibm-297"},
    {20420, 1, "IBM EBCDIC - Arabic", "ibm-420"},
    {20424, 1, "IBM EBCDIC - Hebrew", "ibm-424"},
    {20838, 1, "IBM EBCDIC - Thai", "ibm-838"},
    {20866, 1, "Russian - KOI8", "KOI8-R"},
    {20871, 1, "IBM EBCDIC - Icelandic", "ibm-871"},
    {20932, 2, "JIS X 0208-1990 & 0212-1990", "EUC-JP"},
    {20936, 2, "Simplified Chinese GB2312", "GB2312"},
    {21025, 1, "IBM EBCDIC - Cyrillic (Serbian, Bulgarian)", "ibm-1025"},
    {21866, 1, "Ukrainian - KOI8-U", "KOI8-U"},
    {28591, 1, "ISO 8859-1 Latin I", "ISO-8859-1"},
    {28592, 1, "ISO 8859-2 Central Europe", "ISO-8859-2"},
    {28593, 1, "ISO 8859-3 Latin 3", "ISO-8859-3"},
    {28594, 1, "ISO 8859-4 Baltic", "ISO-8859-4"},
    {28595, 1, "ISO 8859-5 Cyrillic", "ISO-8859-5"},
    {28596, 1, "ISO 8859-6 Arabic", "ISO-8859-6"},
    {28597, 1, "ISO 8859-7 Greek", "ISO-8859-7"},
    {28598, 1, "ISO 8859-8 Hebrew: Visual Ordering", "ISO-8859-8"},
    {28599, 1, "ISO 8859-9 Latin 5", "ISO-8859-9"},
    {28603, 1, "ISO 8859-13 Latin 7", "ISO-8859-13"},
    {28605, 1, "ISO 8859-15 Latin 9", "ISO-8859-15"},
    {38598, 1, "ISO 8859-8 Hebrew: Logical Ordering", "ISO-8859-8-I"},
    {50220, 5, "ISO 2022 Japanese with no halfwidth Katakana", "ISO-2022-JP"},
    {50221, 5, "ISO 2022 Japanese with halfwidth Katakana", "ISO-2022-JP"},
    {50222, 5, "ISO 2022 Japanese JIS X 0201-1989", "JIS7"},
    {50225, 5, "ISO 2022 Korean", "ISO-2022-KR"},
    {50227, 5, "ISO 2022 Simplified Chinese", "ISO-2022-CN"},
    {51949, 2, "EUC-Korean", "EUC-KR"},
    {52936, 5, "HZ-GB2312 Simplified Chinese", "HZ"},
    {54936, 4, "GB18030 Simplified Chinese", "GB18030"},
    {57002, 4, "ISCII - Devanagari", "x-iscii-de"},
    {57003, 4, "ISCII - Bengali", "x-iscii-be"},
    {57004, 4, "ISCII - Tamil", "x-iscii-ta"},
    {57005, 4, "ISCII - Telugu", "x-iscii-te"},
    {57006, 4, "ISCII - Assamese", "x-iscii-as"},
    {57007, 4, "ISCII - Oriya", "x-iscii-or"},
    {57008, 4, "ISCII - Kannada", "x-iscii-ka"},
    {57009, 4, "ISCII - Malayalam", "x-iscii-ma"},
    {57010, 4, "ISCII - Gujarati", "x-iscii-gu"},
    {57011, 4, "ISCII - Punjabi (Gurmukhi)", "x-iscii-pa"},
    {65000, 5, "UTF-7", "UTF-7"},
    {65001, 4, "UTF-8", "UTF-8"},
};

const CodePageEntry* FindEntry(int32_t codePage)
{
    auto it = std::lower_bound(std::begin(Table), std::end(Table), codePage,
                               [](const CodePageEntry& e, int32_t cp) { return e.codePage < cp; });
    return it != std::end(Table) && it->codePage == codePage ? &*it : nullptr;
}

bool IcuCanConvert(const char* icuName)
{
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(icuName, &error);
    if (converter)
        ucnv_close(converter);
    return U_SUCCESS(error);
}

std::string DisplayName(int32_t codePage, const char* description)
{
    char number[16];
    std::snprintf(number, sizeof number, "%-6d", int(codePage));
    return std::string(number) + "(" + description + ")";
}

}  // namespace

const char* IcuConverterName(int32_t codePage)
{
    const CodePageEntry* entry = FindEntry(codePage);
    return entry ? entry->icuName : nullptr;
}

std::optional<CodePageInfo> GetCodePageInfo(int32_t codePage)
{
    if (codePage == AnsiCodePage)
        codePage = SystemAnsiCodePage();
    const CodePageEntry* entry = FindEntry(codePage);
    if (!entry || !IcuCanConvert(entry->icuName))
        return std::nullopt;
    return CodePageInfo{entry->codePage, entry->maxCharSize,
                        DisplayName(entry->codePage, entry->description)};
}

}  // namespace zeb
