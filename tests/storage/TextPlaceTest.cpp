// Places in a book's text range: in tenths of a percent, and a percentage back to a position.
#include <gtest/gtest.h>

#include "storage/TextPlace.h"

using namespace zeb;

namespace {

TEST(TextPlaceTest, TenthsOfAPercentRoundToTheNearest)
{
    struct Case {
        int32_t position, start, end, tenths;
    };
    for (Case c : {Case{40, 40, 3040, 0}, Case{1040, 40, 3040, 333}, Case{10036, 40, 10040, 1000},
                   Case{10034, 40, 10040, 999}, Case{5, 5, 5, 0}, Case{9, 10, 5, 0}})
        EXPECT_EQ(PlaceInTenths(c.position, c.start, c.end), c.tenths) << c.position;
}

TEST(TextPlaceTest, PercentRunsFromTheStartToTheLastPosition)
{
    struct Case {
        long double percent;
        int32_t start, end, position;
    };
    for (Case c : {Case{0, 40, 1040, 40}, Case{100, 40, 1040, 1039}, Case{50, 40, 1041, 540},
                   Case{12.5L, 0, 9, 1}, Case{100, 7, 8, 7},
                   Case{100, 40, 2'000'000'040, 2'000'000'039}})
        EXPECT_EQ(PositionAtPercent(c.percent, c.start, c.end), c.position) << double(c.percent);
    EXPECT_EQ(PositionAtPercent(50, 40, 40), std::nullopt);
    EXPECT_EQ(PositionAtPercent(50, 41, 40), std::nullopt);
}

}  // namespace
