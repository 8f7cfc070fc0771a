#include <gtest/gtest.h>

#include "import/ZEBCodepage.h"
#include "platform/CodePageDecoder.h"
#include "platform/CodePages.h"

using namespace zeb;

namespace {

const ZEBCodepage& Catalogue()
{
    static const ZEBCodepage catalogue = [] {
        ZEBCodepage c;
        c.BuildCatalogue();
        return c;
    }();
    return catalogue;
}

TEST(ZEBCodepage, ListsUtf16FirstThenWindowsCodePagesInIncreasingOrder)
{
    const ZEBCodepage& catalogue = Catalogue();
    ASSERT_GT(catalogue.Count(), 1);
    const ZEBCodepageObject* first = catalogue.Entry(0);
    EXPECT_EQ(first->codePage, UnicodeCodePage);
    EXPECT_EQ(first->maxCharSize, 2);
    EXPECT_EQ(first->name, "      (Unicode)");
    for (int32_t k = 2; k < catalogue.Count(); ++k)
        EXPECT_LT(catalogue.Entry(k - 1)->codePage, catalogue.Entry(k)->codePage);
    EXPECT_EQ(catalogue.Entry(-1), nullptr);
    EXPECT_EQ(catalogue.Entry(catalogue.Count()), nullptr);
    EXPECT_FALSE(catalogue.IndexOf(12345));
}

TEST(ZEBCodepage, HoldsTheUsualCodePagesWithTheirWindowsNamesAndSizes)
{
    const int32_t required[] = {
        437,   720,   737,   775,   850,   852,   855,   857,   858,   860,   861,   862,
        863,   864,   865,   866,   869,   874,   932,   936,   949,   950,   1250,  1251,
        1252,  1253,  1254,  1255,  1256,  1257,  1258,  10000, 10007, 20866, 21866, 28591,
        28592, 28593, 28594, 28595, 28596, 28597, 28598, 28599, 28603, 28605, 20932, 51949,
        54936, 65000, 65001};
    const ZEBCodepage& catalogue = Catalogue();
    for (int32_t cp : required)
        EXPECT_TRUE(catalogue.IndexOf(cp)) << cp;

    struct Named {
        int32_t codePage, maxCharSize;
        const char* name;
    } named[] = {
        {1251, 1, "1251  (ANSI - Cyrillic)"},
        {866, 1, "866   (OEM - Russian)"},
        {932, 2, "932   (ANSI/OEM - Japanese Shift-JIS)"},
        {20866, 1, "20866 (Russian - KOI8)"},
        {54936, 4, "54936 (GB18030 Simplified Chinese)"},
        {65000, 5, "65000 (UTF-7)"},
        {65001, 4, "65001 (UTF-8)"},
    };
    for (const Named& n : named) {
        const ZEBCodepageObject* entry = catalogue.Entry(*catalogue.IndexOf(n.codePage));
        EXPECT_EQ(entry->name, n.name);
        EXPECT_EQ(entry->maxCharSize, n.maxCharSize) << n.name;
    }
}

TEST(ZEBCodepage, DefaultFollowsTheSystemAnsiCodePageAndEveryNumberIsProbed)
{
    int32_t calls = 0, last = 0;
    ZEBCodepage catalogue;
    catalogue.BuildCatalogue([&](int32_t cp) {
        EXPECT_EQ(cp, last == 0 ? ZEBCodepage::FirstProbed : last + 1);
        last = cp;
        ++calls;
    });
    EXPECT_EQ(calls, 65520);
    EXPECT_EQ(last, 65535);
    // The tests run in the C locale, whose character set stands for UTF-8.
    EXPECT_EQ(catalogue.InitialImportCodePage(), 65001);
    EXPECT_EQ(catalogue.Entry(catalogue.DefaultIndex())->codePage, 65001);
}

TEST(AnsiCodePage, FollowsTheLocaleCharacterSet)
{
    struct Case {
        const char* charset;
        int32_t codePage;
    } cases[] = {
        {"UTF-8", 65001},      {"utf8", 65001},        {"ANSI_X3.4-1968", 65001},
        {"KOI8-R", 20866},     {"KOI8-U", 21866},      {"ISO-8859-5", 28595},
        {"ISO-8859-15", 28605}, {"CP1251", 1251},      {"EUC-JP", 20932},
        {"eucKR", 51949},      {"GB18030", 54936},     {"BIG5-HKSCS", 950},
        {"ISO-8859-14", 65001}, {"", 65001},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnsiCodePageFromCharset(c.charset), c.codePage) << c.charset;
    for (const Case& c : cases)
        EXPECT_TRUE(GetCodePageInfo(c.codePage)) << "every ANSI code page is convertible: " << c.codePage;
}

}  // namespace
