#include "app/WindowPlacement.h"

#include <algorithm>

namespace zeb {

namespace {

constexpr int32_t MinWidth = 640, MinHeight = 480;

int32_t Corner(int32_t stored, int32_t screen)
{
    return stored < 0 ? 0 : std::min(stored, screen);
}

int32_t Extent(int32_t stored, int32_t storedCorner, int32_t screen, int32_t minimum)
{
    if (stored < minimum)
        return minimum;
    int64_t room = int64_t(screen) - storedCorner;
    return int32_t(std::min<int64_t>(stored, std::max<int64_t>(room, minimum)));
}

}  // namespace

WindowBounds PlacedBounds(const StoredWindowState& stored, ScreenSize screen)
{
    return {Corner(stored.Left, screen.Width), Corner(stored.Top, screen.Height),
            Extent(stored.Width, stored.Left, screen.Width, MinWidth),
            Extent(stored.Height, stored.Top, screen.Height, MinHeight)};
}

}  // namespace zeb
