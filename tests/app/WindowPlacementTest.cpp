// Where the window opens, and when the pointer hides during auto-scroll.
#include <gtest/gtest.h>

#include "app/PointerHider.h"
#include "app/WindowPlacement.h"

namespace zeb {
namespace {

TEST(PlacedBounds, StoredBoundsAreKeptOnTheScreen)
{
    const ScreenSize screen{1920, 1080};
    struct Case {
        const char* name;
        StoredWindowState stored;
        WindowBounds expected;
    } cases[] = {
        {"as stored", {2, 100, 50, 800, 600}, {100, 50, 800, 600}},
        {"width 500 opens 640 wide", {2, 10, 10, 500, 600}, {10, 10, 640, 600}},
        {"height below 480", {2, 10, 10, 800, 300}, {10, 10, 800, 480}},
        {"negative top opens at 0", {2, 10, -40, 800, 600}, {10, 0, 800, 600}},
        {"negative left opens at 0", {2, -5, 10, 800, 600}, {0, 10, 800, 600}},
        {"wider than the screen: limited to what is right of the left edge",
         {2, 300, 0, 3000, 600}, {300, 0, 1620, 600}},
        {"but never below 640", {2, 1500, 0, 3000, 600}, {1500, 0, 640, 600}},
        {"a corner past the screen goes to its edge", {2, 5000, 4000, 800, 600}, {1920, 1080, 640, 480}},
        {"taller than the screen", {2, 0, 200, 800, 2000}, {0, 200, 800, 880}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlacedBounds(c.stored, screen), c.expected) << c.name;
}

TEST(PointerHider, HidesAfterFifteenStillSecondsOfAutoScrollOnly)
{
    const double second = 1.0 / 86400;
    const QPoint here(10, 10), there(11, 10);
    PointerHider hider(here, 0.0);
    // Without auto-scroll it never hides.
    EXPECT_TRUE(hider.Check(here, false, 100 * second));
    // With it: still for 15 s is not enough, a moment more is.
    PointerHider scrolling(here, 0.0);
    EXPECT_TRUE(scrolling.Check(here, true, 15 * second));
    EXPECT_FALSE(scrolling.Check(here, true, 15.2 * second));
    // Back at the next movement, and the stillness counts from there.
    EXPECT_TRUE(scrolling.Check(there, true, 16 * second));
    EXPECT_TRUE(scrolling.Check(there, true, 31 * second));
    EXPECT_FALSE(scrolling.Check(there, true, 31.2 * second));
    // Back when auto-scroll stops, without a movement.
    EXPECT_TRUE(scrolling.Check(there, false, 32 * second));
    // A clock set back is not taken for a long stillness: the stillness starts again there.
    EXPECT_TRUE(scrolling.Check(there, true, 5 * second));
    EXPECT_TRUE(scrolling.Check(there, true, 20 * second));
    EXPECT_FALSE(scrolling.Check(there, true, 20.2 * second));
}

}  // namespace
}  // namespace zeb
