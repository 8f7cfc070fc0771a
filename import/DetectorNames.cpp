#include "import/DetectorNames.h"

#include <algorithm>
#include <iterator>

#include "platform/CodePageDecoder.h"

namespace zeb {

namespace {

struct DetectorName {
    std::string_view name;
    int32_t codePage;
};

constexpr DetectorName Names[] = {
    {"UTF-8", 65001},
    {"UTF-16LE", UnicodeCodePage},
    {"Shift_JIS", 932},
    {"ISO-2022-JP", 50220},
    {"ISO-2022-KR", 50225},
    {"ISO-2022-CN", 50227},
    {"GB18030", 54936},
    {"EUC-JP", 20932},
    {"EUC-KR", 51949},
    {"Big5", 950},
    {"ISO-8859-1", 1252},
    {"ISO-8859-2", 28592},
    {"ISO-8859-5", 28595},
    {"ISO-8859-6", 28596},
    {"ISO-8859-7", 1253},
    {"ISO-8859-8", 28598},
    {"ISO-8859-8-I", 28598},
    {"ISO-8859-9", 1254},
    {"windows-1250", 1250},
    {"windows-1251", 1251},
    {"windows-1252", 1252},
    {"windows-1253", 1253},
    {"windows-1254", 1254},
    {"windows-1255", 1255},
    {"windows-1256", 1256},
    {"KOI8-R", 20866},
};

}  // namespace

int32_t CodePageOfDetectorName(std::string_view name)
{
    auto it = std::find_if(std::begin(Names), std::end(Names),
                           [name](const DetectorName& n) { return n.name == name; });
    return it == std::end(Names) ? 0 : it->codePage;
}

}  // namespace zeb
