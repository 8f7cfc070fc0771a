#include <gtest/gtest.h>

#include <string>

#include "import/UnitMasks.h"

using namespace zeb;

namespace {

// The masks as strings, unit k first: 'v' visible, 's' space, '.' any other blank.
std::string Describe(std::u16string units)
{
    const int count = int(units.size());
    units.resize((units.size() + 15) / 16 * 16, u'?');
    UnitMasks masks = MaskUnits(units.data(), count);
    std::string described;
    for (int k = 0; k < count; ++k) {
        bool visible = (masks.visible >> k) & 1, space = (masks.spaces >> k) & 1;
        described += visible ? (space ? '!' : 'v') : (space ? 's' : '.');
    }
    return described;
}

TEST(UnitMasks, TellVisibleUnitsSpacesAndOtherBlanksApart)
{
    struct Case {
        const char* name;
        std::u16string units;
        std::string expected;
    } cases[] = {
        {"empty", u"", ""},
        {"blanks and letters", u"a b\tc\r\n\x01!", "vsv.v...v"},
        {"just above and below a space", u"\x1F\x20\x21", ".sv"},
        {"units from U+8000 up are visible", u"\x8000\xFEFF\xFFFD\xFFFF\x7FFF", "vvvvv"},
        {"the last unit of a full piece", std::u16string(63, u' ') + u"x",
         std::string(63, 's') + "v"},
        {"a count that is no multiple of 16", std::u16string(17, u'a') + u" ",
         std::string(17, 'v') + "s"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Describe(c.units), c.expected) << c.name;
}

}  // namespace
